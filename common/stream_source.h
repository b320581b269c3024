// A storage seen as what its readers need: named byte streams and named
// nested storages. The readers of actions and commands work on this, so that
// their parsing runs without ole32 (natively, under the fuzzer); ZStorageSource
// in common/storage.h gives a real compound-file storage this face.
//
// Element names are UTF-16 in the files; here they are wide strings of the
// program's own ASCII names.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The result code of an element that does not exist (STG_E_FILENOTFOUND).
constexpr int32_t kElementNotFound = static_cast<int32_t>(0x80030002u);

class ZStreamSource {
 public:
  virtual ~ZStreamSource() = default;
  // The whole stream `name`. Throws ZReadError: carrying kElementNotFound
  // when there is no such stream, the failing call's code when it cannot be
  // read, 0 when it holds more than `limit` bytes.
  virtual std::vector<uint8_t> stream(const wchar_t* name, size_t limit) const = 0;
  // The nested storage `name`, or null with its result code in *result
  // (kElementNotFound when there is none). Never throws.
  virtual std::unique_ptr<ZStreamSource> child(const wchar_t* name, int32_t* result) const = 0;
};

// "<prefix> NN" with at least two decimal digits: NumberedName(L"Shape", 3)
// gives L"Shape 03".
std::wstring NumberedName(const wchar_t* prefix, int index);

// The value kinds of common/stored_values.h, each read from one stream and
// bounded by its kind's longest value. Throw ZReadError as stream() does.
// Text and UTF-8 text: the bytes up to the first NUL as stored, that is
// UTF-8 (converting Text to the system code page is the caller's part).
std::string ReadStoredText(const ZStreamSource& source, const wchar_t* name);
// Literal: the bytes up to the first NUL, for an exact comparison.
std::string ReadStoredLiteral(const ZStreamSource& source, const wchar_t* name);
int32_t ReadStoredInteger(const ZStreamSource& source, const wchar_t* name);
uint32_t ReadStoredUnsigned(const ZStreamSource& source, const wchar_t* name);
bool ReadStoredBoolean(const ZStreamSource& source, const wchar_t* name);
std::vector<uint32_t> ReadStoredNumberList(const ZStreamSource& source, const wchar_t* name, size_t maxCount);
double ReadStoredVersion(const ZStreamSource& source, const wchar_t* name);
// Throws ZReadError (code 0) for a version IsReadableFileVersion refuses.
void CheckStoredFileVersion(const ZStreamSource& source, const wchar_t* name);

// A nested storage that must exist. Throws ZReadError with its result code.
std::unique_ptr<ZStreamSource> RequiredChild(const ZStreamSource& source, const wchar_t* name);

// Calls visit(child, index) for "<prefix> 00", "<prefix> 01", ... in order
// and stops at the first number that is missing; any other failure to open
// one throws ZReadError. Returns how many were visited.
int ForEachNumberedChild(const ZStreamSource& source, const wchar_t* prefix,
                         const std::function<void(const ZStreamSource& child, int index)>& visit);
