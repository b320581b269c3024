#include "tests/support/freed_memory_watch.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#ifdef _WIN32
#include <malloc.h>
#define ZAVOTRA_BLOCK_SIZE _msize
#else
#include <malloc.h>
#define ZAVOTRA_BLOCK_SIZE malloc_usable_size
#endif

namespace {

// Plain storage: the watch must not allocate while it is looked at.
char g_secret[256];
size_t g_secretLength = 0;
std::atomic<bool> g_watching{false};
std::atomic<int> g_leaks{0};

void Inspect(void* block) {
  if (!block || !g_watching.load()) return;
  const size_t size = ZAVOTRA_BLOCK_SIZE(block);
  const auto* bytes = static_cast<const volatile char*>(block);
  for (size_t i = 0; i + g_secretLength <= size; ++i) {
    size_t j = 0;
    while (j < g_secretLength && bytes[i + j] == g_secret[j]) ++j;
    if (j == g_secretLength) {
      ++g_leaks;
      return;
    }
  }
}

}  // namespace

ZFreedMemoryWatch::ZFreedMemoryWatch(const std::string& secret) {
  g_secretLength = secret.size() < sizeof g_secret ? secret.size() : sizeof g_secret;
  std::memcpy(g_secret, secret.data(), g_secretLength);
  g_leaks = 0;
  g_watching = true;
}

ZFreedMemoryWatch::~ZFreedMemoryWatch() { g_watching = false; }

int ZFreedMemoryWatch::leaks() const { return g_leaks.load(); }

void* operator new(size_t size) {
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* block) noexcept {
  Inspect(block);
  std::free(block);
}
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete(void* block, size_t) noexcept { operator delete(block); }
void operator delete[](void* block, size_t) noexcept { operator delete(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { operator delete(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { operator delete(block); }
