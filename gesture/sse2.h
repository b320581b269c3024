// Where the processor has SSE2 (every x86 processor this program runs on),
// the recognizer's inner loops handle several points at a time with it;
// elsewhere plain code does the same. Either gives the same results.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>
#define ZAVOTRA_WALK_SSE2 1
#endif
