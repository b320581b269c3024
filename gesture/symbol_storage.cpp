#include "gesture/symbol_storage.h"

#include <cstring>

#include "common/errors.h"
#include "common/storage.h"

namespace {

const wchar_t kVersionStream[] = L"File Version";
const wchar_t kNameStream[] = L"Name";
const wchar_t kSortNameStream[] = L"SortName";
const wchar_t kIdStream[] = L"ID";
const wchar_t kShapePrefix[] = L"Shape";
const wchar_t kIconStorage[] = L"Icon";
const wchar_t kXorMaskStream[] = L"XOR Mask";
const wchar_t kAndMaskStream[] = L"AND Mask";
const wchar_t kStrokePrefix[] = L"Stroke";
const wchar_t kPointsStream[] = L"Points";
const char kFileVersion[] = "2.0";

// An empty stroke is an empty stream.
void WriteStroke(IStorage* strokeStorage, const Stroke& stroke) {
  WriteBlock(strokeStorage, kPointsStream, stroke.data(), stroke.size() * sizeof(Point));
}

// Trailing bytes that do not make a whole point are ignored.
Stroke ReadStroke(IStorage* strokeStorage) {
  const std::vector<uint8_t> bytes = ReadAllBytes(strokeStorage, kPointsStream, kLongestPointsValue);
  Stroke stroke(bytes.size() / sizeof(Point));
  if (!stroke.empty()) std::memcpy(stroke.data(), bytes.data(), stroke.size() * sizeof(Point));
  return stroke;
}

uint32_t ReadOptionalIdentifier(IStorage* storage) {
  try {
    return ReadUnsigned(storage, kIdStream);
  } catch (const ZReadError&) {
    return Symbol::kDefaultIdentifier;
  }
}

}  // namespace

void WriteShape(IStorage* shapeStorage, const Shape& shape) {
  {
    StoragePtr icon = CreateSubStorage(shapeStorage, kIconStorage);
    WriteBlock(icon.Get(), kXorMaskStream, shape.icon().xorMask().data(), SymbolIcon::kXorMaskSize);
    WriteBlock(icon.Get(), kAndMaskStream, shape.icon().andMask().data(), SymbolIcon::kAndMaskSize);
  }
  for (size_t j = 0; j < shape.strokes().size(); ++j) {
    StoragePtr stroke = CreateSubStorage(shapeStorage, NumberedName(kStrokePrefix, static_cast<int>(j)).c_str());
    WriteStroke(stroke.Get(), shape.strokes()[j]);
  }
}

Shape ReadShape(IStorage* shapeStorage) {
  SymbolIcon::XorMask xorMask;
  SymbolIcon::AndMask andMask;
  {
    StoragePtr icon = OpenRequiredSubStorage(shapeStorage, kIconStorage);
    ReadBlock(icon.Get(), kXorMaskStream, xorMask.data(), xorMask.size());
    ReadBlock(icon.Get(), kAndMaskStream, andMask.data(), andMask.size());
  }
  Shape shape;
  shape.icon().setMasks(xorMask.data(), andMask.data());
  ForEachNumberedSubStorage(shapeStorage, kStrokePrefix,
                            [&](IStorage* stroke, int) { shape.addStroke(ReadStroke(stroke)); });
  return shape;
}

void WriteSymbol(IStorage* storage, const Symbol& symbol, bool withVersion) {
  if (withVersion) WriteVersion(storage, kVersionStream, kFileVersion);
  WriteText(storage, kNameStream, symbol.name());
  WriteText(storage, kSortNameStream, symbol.sortName());
  WriteUnsigned(storage, kIdStream, symbol.identifier());
  for (size_t i = 0; i < symbol.shapes().size(); ++i) {
    StoragePtr shape = CreateSubStorage(storage, NumberedName(kShapePrefix, static_cast<int>(i)).c_str());
    WriteShape(shape.Get(), symbol.shapes()[i]);
  }
}

void ReadSymbol(IStorage* storage, Symbol& symbol, bool checkVersion) {
  if (checkVersion) CheckFileVersion(storage, kVersionStream);
  Symbol read;
  read.setName(ReadText(storage, kNameStream));
  read.setSortName(ReadOptionalText(storage, kSortNameStream, read.name()));
  read.setIdentifier(ReadOptionalIdentifier(storage));
  ForEachNumberedSubStorage(storage, kShapePrefix,
                            [&](IStorage* shape, int) { read.addShape(ReadShape(shape)); });
  read.setPath(symbol.path());
  symbol = std::move(read);
}
