// A symbol's picture as a silhouette in one colour: the opaque pixels of its
// first shape's icon painted in `colour`, the rest transparent. Null for a
// symbol without shapes.
#pragma once
#include <windows.h>

class Symbol;

// The caller destroys the icon (DestroyIcon).
HICON CreateSymbolSilhouette(const Symbol& symbol, COLORREF colour);
