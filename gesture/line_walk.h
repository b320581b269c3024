// The grid points of a straight segment, walked the way the Win32 LineDDA
// call walks them: the start point and every point after it up to, but not
// including, the end point; one point per unit step along the longer axis, the
// shorter coordinate following the line. A segment of length zero yields
// nothing. Portable, so the recognizer gives the same results everywhere.
#pragma once
#include "gesture/point.h"
#include "gesture/stroke.h"

// Appends the walk from `from` to `to` (max(|dx|, |dy|) points) to `out`.
void AppendLineWalk(Point from, Point to, Stroke& out);
