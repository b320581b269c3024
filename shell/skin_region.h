// The window region of a skin bitmap: every pixel that is not pure red
// (255, 0, 0) belongs to the shape, and the region is the polygon traced
// along the shape's outline.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// The opaque flags of `bitmap`, rows from the top; empty when it can't be read.
std::vector<uint8_t> OpaquePixels(HBITMAP bitmap, int& width, int& height);
// A new region (the caller owns it), or null for a bitmap without opaque pixels.
HRGN SkinRegion(HBITMAP bitmap);
