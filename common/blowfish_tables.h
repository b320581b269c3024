// Initial P-array and S-boxes of Blowfish, shared by every cipher state.
#pragma once
#include <cstdint>

constexpr int kBlowfishRounds = 16;
constexpr int kBlowfishSubkeys = kBlowfishRounds + 2;

extern const uint32_t kBlowfishInitialP[kBlowfishSubkeys];
extern const uint32_t kBlowfishInitialS[4][256];
