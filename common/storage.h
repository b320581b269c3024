// Values in compound files (structured storage). One named stream holds one
// value, with no header or type tag: the stream's size is the value's size.
// Text is kept as UTF-8 with one terminating NUL, numbers as decimal text.
//
// Failures throw: ZWriteError when creating or writing, ZReadError when
// opening or reading, each carrying the failing call's HRESULT (common/errors.h).
// Every stream and storage opened here is released before the call returns;
// the storages handed back are owned by the returned ComPtr.
//
// Element names are UTF-16; numbered names come from NumberedName().
#pragma once
#include <windows.h>
#include <objbase.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/stored_values.h"
#include "common/stream_source.h"

using StoragePtr = Microsoft::WRL::ComPtr<IStorage>;

// --- Files -----------------------------------------------------------------
// Creates (replacing any existing file) a compound file at an ANSI path, in
// direct mode; releasing the returned root storage completes the file.
// Throws ZWriteError.
StoragePtr CreateStorageFile(const std::string& path);
// Opens a compound file for reading (deny-write sharing). Throws ZReadError.
StoragePtr OpenStorageFile(const std::string& path);
// Builds a compound file in memory (a docfile on an HGLOBAL lock-bytes, the
// same modes as on disk) and hands back its bytes once `write` has filled the
// root storage and the root has been released. Saving goes this way, so that
// the file on disk is replaced whole or not at all. Throws ZWriteError.
std::vector<uint8_t> BuildStorageImage(const std::function<void(IStorage* root)>& write);

// --- Sub-storages ----------------------------------------------------------
// Creates (replacing) a sub-storage. Throws ZWriteError.
StoragePtr CreateSubStorage(IStorage* parent, const wchar_t* name);
// Opens a sub-storage for reading. Never throws: returns null on failure and
// stores the call's result in *result (S_OK on success), so that callers can
// treat STG_E_FILENOTFOUND as a missing optional element.
StoragePtr OpenSubStorage(IStorage* parent, const wchar_t* name, HRESULT* result);
// Opens a sub-storage that must exist. Throws ZReadError with the result code.
StoragePtr OpenRequiredSubStorage(IStorage* parent, const wchar_t* name);

// NumberedName() (common/stream_source.h) makes the numbered names.
// Calls visit(child, index) for "<prefix> 00", "<prefix> 01", ... in order and
// stops at the first number that is missing (STG_E_FILENOTFOUND); any other
// open failure throws ZReadError. Returns how many were visited. Each child is
// released after its visit.
int ForEachNumberedSubStorage(IStorage* parent, const wchar_t* prefix,
                              const std::function<void(IStorage* child, int index)>& visit);

// --- Values ----------------------------------------------------------------
// Writing replaces an element of the same name. Reading a missing element
// throws ZReadError carrying STG_E_FILENOTFOUND (0x80030002). Every value is
// bounded by its kind's longest value (common/stored_values.h): a stream that
// claims more throws ZReadError (code 0) before any buffer is made for it.

// Text: an ANSI (system code page) string, stored as UTF-8 plus NUL. Reads
// the bytes up to the first NUL (all of them when there is none) and converts
// back to the system code page; unmappable characters become the default one.
void WriteText(IStorage* storage, const wchar_t* name, const std::string& ansi);
std::string ReadText(IStorage* storage, const wchar_t* name);
// The text, or `fallback` when the stream cannot be read.
std::string ReadOptionalText(IStorage* storage, const wchar_t* name, const std::string& fallback = std::string());

// Literal: one of the program's own ASCII words ("Hotkey", "2.0"), stored as
// it is plus NUL; read back unconverted up to the first NUL, for a byte-exact,
// case-sensitive comparison by the caller.
void WriteLiteral(IStorage* storage, const wchar_t* name, const std::string& literal);
std::string ReadLiteral(IStorage* storage, const wchar_t* name);

// UTF-8 text: already UTF-8, stored and read back without conversion (plus
// NUL on writing; up to the first NUL on reading).
void WriteUtf8Text(IStorage* storage, const wchar_t* name, const std::string& utf8);
std::string ReadUtf8Text(IStorage* storage, const wchar_t* name);

// Integer: "%d" written as Text; read as ParseStoredInteger reads (atoi's
// way, saturating).
void WriteInteger(IStorage* storage, const wchar_t* name, int32_t value);
int32_t ReadInteger(IStorage* storage, const wchar_t* name);

// Unsigned: "%u" written as Text (identifiers); read as ParseStoredUnsigned
// reads ("%u"'s way, saturating).
void WriteUnsigned(IStorage* storage, const wchar_t* name, uint32_t value);
uint32_t ReadUnsigned(IStorage* storage, const wchar_t* name);

// Boolean: the Literal "true" or "false"; only exactly "true" reads as true.
void WriteBoolean(IStorage* storage, const wchar_t* name, bool value);
bool ReadBoolean(IStorage* storage, const wchar_t* name);

// Number list: unsigned numbers separated by single blanks ("%u %u %u %u"),
// written as Text. Reading scans them like "%u %u ..." with maxCount
// conversions and returns the numbers scanned, in order: the list is shorter
// than maxCount when the text holds fewer numbers.
void WriteNumberList(IStorage* storage, const wchar_t* name, const std::vector<uint32_t>& numbers);
std::vector<uint32_t> ReadNumberList(IStorage* storage, const wchar_t* name, size_t maxCount);

// Version: a Literal such as "2.0"; read back as atof reads it.
void WriteVersion(IStorage* storage, const wchar_t* name, const std::string& version);
double ReadVersion(IStorage* storage, const wchar_t* name);
// Throws ZReadError for a version IsReadableFileVersion refuses, or none.
void CheckFileVersion(IStorage* storage, const wchar_t* name);

// Block: raw bytes without terminator (points, icon masks).
void WriteBlock(IStorage* storage, const wchar_t* name, const void* data, size_t size);
// Reads exactly size bytes from the start of the stream; a shorter stream
// throws ZReadError. On failure the buffer's content is unspecified.
void ReadBlock(IStorage* storage, const wchar_t* name, void* data, size_t size);
// The whole stream (e.g. a list of points); more than `limit` bytes throw.
std::vector<uint8_t> ReadAllBytes(IStorage* storage, const wchar_t* name, size_t limit);
// The whole of an open stream, read from its start. The size the stream
// claims is not taken on trust: more than `limit` throws ZReadError (code 0)
// at once, and the buffer grows only with the bytes that really arrive, so a
// damaged size costs no more memory than the stream holds.
std::vector<uint8_t> ReadStreamBytes(IStream* stream, size_t limit);

// A storage as a ZStreamSource, for the readers that work on one. Holds its
// own reference to the storage.
class ZStorageSource : public ZStreamSource {
 public:
  explicit ZStorageSource(IStorage* storage) : storage_(storage) {}
  std::vector<uint8_t> stream(const wchar_t* name, size_t limit) const override;
  std::unique_ptr<ZStreamSource> child(const wchar_t* name, int32_t* result) const override;

 private:
  StoragePtr storage_;
};
