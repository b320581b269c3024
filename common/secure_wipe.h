// Overwriting secrets (keys, passwords, plain copies of protected files) with
// stores the compiler must keep: a plain memset or std::fill of memory that is
// never read again may legally be dropped by the optimiser.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

void SecureWipe(void* data, size_t size);

template <typename T>
void SecureWipe(std::vector<T>& values) {
  if (!values.empty()) SecureWipe(values.data(), values.size() * sizeof(T));
}

template <typename Char>
void SecureWipe(std::basic_string<Char>& text) {
  if (!text.empty()) SecureWipe(&text[0], text.size() * sizeof(Char));
}
