// The outline of the main window's shape: the boundary of the skin's opaque
// pixels, traced as one polygon for the window region.
#pragma once
#include <cstdint>
#include <vector>

#include "shell/window_placement.h"

// `opaque` holds width * height flags, rows from the top. The polygon starts
// at the first opaque pixel of the first row that has one and follows the
// boundary; empty when no pixel is opaque.
std::vector<ZPoint> TraceOutline(const std::vector<uint8_t>& opaque, int32_t width, int32_t height);
