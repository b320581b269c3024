#include "ui/symbol_silhouette.h"

#include <array>
#include <cstdint>

#include "common/app_context.h"
#include "gesture/symbol.h"

HICON CreateSymbolSilhouette(const Symbol& symbol, COLORREF colour) {
  if (symbol.shapes().empty()) return nullptr;
  const SymbolIcon& icon = symbol.shapes().front().icon();
  const SymbolIcon::AndMask& transparent = icon.andMask();
  constexpr int kSide = SymbolIcon::kSide;
  // 32 bits a pixel, blue, green, red, unused; black where the mask lets the
  // background through, as the icon's exclusive-or part must be.
  std::array<uint32_t, kSide * kSide> pixels{};
  const uint32_t painted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const int bit = y * kSide + x;
      const bool clear = (transparent[static_cast<size_t>(bit / 8)] >> (7 - bit % 8)) & 1;
      pixels[static_cast<size_t>(bit)] = clear ? 0 : painted;
    }
  }
  return CreateIcon(AppInstance(), kSide, kSide, 1, 32, transparent.data(),
                    reinterpret_cast<const BYTE*>(pixels.data()));
}
