#include "common/stream_source.h"

#include <cwchar>

#include "common/errors.h"
#include "common/stored_values.h"

std::wstring NumberedName(const wchar_t* prefix, int index) {
  wchar_t number[16];
  std::swprintf(number, 16, L" %02d", index);
  return std::wstring(prefix) + number;
}

std::string ReadStoredText(const ZStreamSource& source, const wchar_t* name) {
  return TextUpToFirstNul(source.stream(name, kLongestTextValue));
}

std::string ReadStoredLiteral(const ZStreamSource& source, const wchar_t* name) {
  return TextUpToFirstNul(source.stream(name, kLongestWordValue));
}

int32_t ReadStoredInteger(const ZStreamSource& source, const wchar_t* name) {
  return ParseStoredInteger(ReadStoredLiteral(source, name));
}

uint32_t ReadStoredUnsigned(const ZStreamSource& source, const wchar_t* name) {
  return ParseStoredUnsigned(ReadStoredLiteral(source, name));
}

bool ReadStoredBoolean(const ZStreamSource& source, const wchar_t* name) {
  return ParseStoredBoolean(ReadStoredLiteral(source, name));
}

std::vector<uint32_t> ReadStoredNumberList(const ZStreamSource& source, const wchar_t* name, size_t maxCount) {
  return ParseStoredNumberList(ReadStoredLiteral(source, name), maxCount);
}

double ReadStoredVersion(const ZStreamSource& source, const wchar_t* name) {
  return ParseStoredVersion(ReadStoredLiteral(source, name));
}

void CheckStoredFileVersion(const ZStreamSource& source, const wchar_t* name) {
  if (!IsReadableFileVersion(ReadStoredVersion(source, name))) throw ZReadError();
}

std::unique_ptr<ZStreamSource> RequiredChild(const ZStreamSource& source, const wchar_t* name) {
  int32_t result = 0;
  std::unique_ptr<ZStreamSource> child = source.child(name, &result);
  if (!child) throw ZReadError(result);
  return child;
}

int ForEachNumberedChild(const ZStreamSource& source, const wchar_t* prefix,
                         const std::function<void(const ZStreamSource& child, int index)>& visit) {
  for (int index = 0;; ++index) {
    int32_t result = 0;
    std::unique_ptr<ZStreamSource> child = source.child(NumberedName(prefix, index).c_str(), &result);
    if (!child && result == kElementNotFound) return index;
    if (!child) throw ZReadError(result);
    visit(*child, index);
  }
}
