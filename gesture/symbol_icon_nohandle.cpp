// Builds without an icon system keep the masks only.
#include "gesture/symbol_icon.h"

SymbolIconHandle SymbolIcon::BuildHandle(const XorMask&, const AndMask&) { return nullptr; }

void SymbolIcon::DestroyHandle(SymbolIconHandle) {}
