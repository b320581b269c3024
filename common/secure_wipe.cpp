#include "common/secure_wipe.h"

void SecureWipe(void* data, size_t size) {
  // Stores through a volatile pointer are observable behaviour: they stay,
  // whatever the optimiser knows about later reads.
  volatile unsigned char* bytes = static_cast<volatile unsigned char*>(data);
  while (size--) *bytes++ = 0;
#if defined(__GNUC__) || defined(__clang__)
  // And no later code may be moved above the wipe as if the memory were dead.
  __asm__ __volatile__("" : : "r"(data) : "memory");
#endif
}
