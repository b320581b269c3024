// The strokes the user drew for one recognition, in drawing order. It has the
// same form as the stroke list of a Shape, so both go through the same
// bounding box and normalisation code.
#pragma once
#include <vector>

#include "gesture/stroke.h"

using Gesture = std::vector<Stroke>;
