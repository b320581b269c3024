// A stroke: the points of one movement of the pointer, in drawing order.
// Contiguous, so files can read and write it in one block; duplicated
// consecutive points are kept as drawn.
#pragma once
#include <vector>

#include "gesture/point.h"

using Stroke = std::vector<Point>;
