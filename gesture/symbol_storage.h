// A Symbol inside an open structured storage: the root of a .zts file (with
// the "File Version" stream) or the "Symbol" storage nested in actions and
// plug-ins (without it).
//
//   "File Version" "2.0" (stand-alone files only), "Name", "SortName", "ID",
//   "Shape NN" / "Icon" / "XOR Mask" (512 bytes), "AND Mask" (128 bytes)
//              / "Stroke NN" / "Points" (8 bytes a point, x then y)
//
// Writing throws ZWriteError, reading ZReadError, each with the failing
// storage call's result code (0 for a rejected version).
#pragma once
#include <windows.h>
#include <objbase.h>

#include "gesture/shape.h"
#include "gesture/symbol.h"

void WriteSymbol(IStorage* storage, const Symbol& symbol, bool withVersion);
// Fills name, sort name, identifier and shapes (the path is left as it is).
// With checkVersion, "File Version" must be there and its integer part be 2.
// On failure `symbol` is left untouched.
void ReadSymbol(IStorage* storage, Symbol& symbol, bool checkVersion);

void WriteShape(IStorage* shapeStorage, const Shape& shape);
Shape ReadShape(IStorage* shapeStorage);
