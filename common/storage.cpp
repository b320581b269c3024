#include "common/storage.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>

#include "common/ansi_text.h"
#include "common/errors.h"

using Microsoft::WRL::ComPtr;

namespace {

// Create, read-write, exclusive: every element this program writes.
constexpr DWORD kCreateMode = STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_WRITE;
// Nested elements are opened for reading with exclusive sharing.
constexpr DWORD kOpenNestedMode = STGM_READ | STGM_SHARE_EXCLUSIVE;
// The root of a file is opened for reading, denying writers.
constexpr DWORD kOpenFileMode = STGM_READ | STGM_SHARE_DENY_WRITE;

void WriteStream(IStorage* storage, const wchar_t* name, const void* data, size_t size) {
  if (size > ULONG_MAX) throw ZWriteError(E_INVALIDARG);
  ComPtr<IStream> stream;
  HRESULT hr = storage->CreateStream(name, kCreateMode, 0, 0, &stream);
  if (hr != S_OK) throw ZWriteError(hr);
  if (size == 0) return;  // an empty value is the empty stream just created
  ULONG written = 0;
  hr = stream->Write(data, static_cast<ULONG>(size), &written);
  if (hr != S_OK) throw ZWriteError(hr);
  if (written != size) throw ZWriteError(hr);
}

void WriteTerminated(IStorage* storage, const wchar_t* name, const std::string& bytes) {
  // c_str() supplies the terminating NUL that belongs to the value.
  WriteStream(storage, name, bytes.c_str(), bytes.size() + 1);
}

ComPtr<IStream> OpenValueStream(IStorage* storage, const wchar_t* name) {
  ComPtr<IStream> stream;
  HRESULT hr = storage->OpenStream(name, nullptr, kOpenNestedMode, 0, &stream);
  if (FAILED(hr)) throw ZReadError(hr);
  return stream;
}

// Reads exactly size bytes; anything less is a damaged value.
void ReadExactly(IStream* stream, void* data, ULONG size) {
  ULONG read = 0;
  HRESULT hr = stream->Read(data, size, &read);
  if (hr != S_OK) throw ZReadError(hr);
  // A short read carries the call's own result (S_OK): no call failed.
  if (read != size) throw ZReadError(hr);
}

// The buffer of a value grows by at most this much ahead of the bytes read.
constexpr ULONG kReadChunk = 64 * 1024;

}  // namespace

// --- Files -----------------------------------------------------------------

StoragePtr CreateStorageFile(const std::string& path) {
  StoragePtr root;
  HRESULT hr = StgCreateDocfile(AnsiToWide(path).c_str(), kCreateMode, 0, &root);
  if (FAILED(hr)) throw ZWriteError(hr);
  return root;
}

StoragePtr OpenStorageFile(const std::string& path) {
  StoragePtr root;
  HRESULT hr = StgOpenStorage(AnsiToWide(path).c_str(), nullptr, kOpenFileMode, nullptr, 0, &root);
  if (FAILED(hr)) throw ZReadError(hr);
  return root;
}

std::vector<uint8_t> BuildStorageImage(const std::function<void(IStorage* root)>& write) {
  ComPtr<ILockBytes> memory;
  HRESULT hr = CreateILockBytesOnHGlobal(nullptr, TRUE, &memory);
  if (FAILED(hr)) throw ZWriteError(hr);
  {
    StoragePtr root;
    hr = StgCreateDocfileOnILockBytes(memory.Get(), kCreateMode, 0, &root);
    if (FAILED(hr)) throw ZWriteError(hr);
    write(root.Get());
  }  // releasing the root completes the file
  STATSTG stat = {};
  hr = memory->Stat(&stat, STATFLAG_NONAME);
  if (FAILED(hr)) throw ZWriteError(hr);
  if (stat.cbSize.HighPart != 0) throw ZWriteError(E_OUTOFMEMORY);
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(stat.cbSize.LowPart);
  } catch (const std::bad_alloc&) {
    throw ZWriteError(E_OUTOFMEMORY);
  }
  ULONG read = 0;
  ULARGE_INTEGER start = {};
  hr = memory->ReadAt(start, bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  if (FAILED(hr)) throw ZWriteError(hr);
  if (read != bytes.size()) throw ZWriteError(STG_E_READFAULT);
  return bytes;
}

// --- Sub-storages ----------------------------------------------------------

StoragePtr CreateSubStorage(IStorage* parent, const wchar_t* name) {
  StoragePtr child;
  HRESULT hr = parent->CreateStorage(name, kCreateMode, 0, 0, &child);
  if (FAILED(hr)) throw ZWriteError(hr);
  return child;
}

StoragePtr OpenSubStorage(IStorage* parent, const wchar_t* name, HRESULT* result) {
  StoragePtr child;
  HRESULT hr = parent->OpenStorage(name, nullptr, kOpenNestedMode, nullptr, 0, &child);
  if (result) *result = hr;
  if (FAILED(hr)) return nullptr;
  return child;
}

StoragePtr OpenRequiredSubStorage(IStorage* parent, const wchar_t* name) {
  HRESULT hr = S_OK;
  StoragePtr child = OpenSubStorage(parent, name, &hr);
  if (!child) throw ZReadError(hr);
  return child;
}

int ForEachNumberedSubStorage(IStorage* parent, const wchar_t* prefix,
                              const std::function<void(IStorage* child, int index)>& visit) {
  for (int index = 0;; ++index) {
    HRESULT hr = S_OK;
    StoragePtr child = OpenSubStorage(parent, NumberedName(prefix, index).c_str(), &hr);
    if (hr == STG_E_FILENOTFOUND) return index;
    if (!child) throw ZReadError(hr);
    visit(child.Get(), index);
  }
}

// --- Values ----------------------------------------------------------------

void WriteText(IStorage* storage, const wchar_t* name, const std::string& ansi) {
  WriteTerminated(storage, name, AnsiToUtf8(ansi));
}

std::string ReadText(IStorage* storage, const wchar_t* name) {
  return Utf8ToAnsi(ReadStoredText(ZStorageSource(storage), name));
}

std::string ReadOptionalText(IStorage* storage, const wchar_t* name, const std::string& fallback) {
  try {
    return ReadText(storage, name);
  } catch (const ZReadError&) {
    return fallback;
  }
}

void WriteLiteral(IStorage* storage, const wchar_t* name, const std::string& literal) {
  WriteTerminated(storage, name, literal);
}

std::string ReadLiteral(IStorage* storage, const wchar_t* name) {
  return ReadStoredLiteral(ZStorageSource(storage), name);
}

void WriteUtf8Text(IStorage* storage, const wchar_t* name, const std::string& utf8) {
  WriteTerminated(storage, name, utf8);
}

std::string ReadUtf8Text(IStorage* storage, const wchar_t* name) {
  return ReadStoredText(ZStorageSource(storage), name);
}

void WriteInteger(IStorage* storage, const wchar_t* name, int32_t value) {
  char text[16];
  snprintf(text, sizeof text, "%d", static_cast<int>(value));
  WriteText(storage, name, text);
}

int32_t ReadInteger(IStorage* storage, const wchar_t* name) {
  return ReadStoredInteger(ZStorageSource(storage), name);
}

void WriteUnsigned(IStorage* storage, const wchar_t* name, uint32_t value) {
  char text[16];
  snprintf(text, sizeof text, "%u", static_cast<unsigned>(value));
  WriteText(storage, name, text);
}

uint32_t ReadUnsigned(IStorage* storage, const wchar_t* name) {
  return ReadStoredUnsigned(ZStorageSource(storage), name);
}

void WriteBoolean(IStorage* storage, const wchar_t* name, bool value) {
  WriteLiteral(storage, name, value ? "true" : "false");
}

bool ReadBoolean(IStorage* storage, const wchar_t* name) {
  return ReadStoredBoolean(ZStorageSource(storage), name);
}

void WriteNumberList(IStorage* storage, const wchar_t* name, const std::vector<uint32_t>& numbers) {
  std::string text;
  for (uint32_t number : numbers) {
    if (!text.empty()) text += ' ';
    text += std::to_string(number);
  }
  WriteText(storage, name, text);
}

std::vector<uint32_t> ReadNumberList(IStorage* storage, const wchar_t* name, size_t maxCount) {
  return ReadStoredNumberList(ZStorageSource(storage), name, maxCount);
}

void WriteVersion(IStorage* storage, const wchar_t* name, const std::string& version) {
  WriteLiteral(storage, name, version);
}

double ReadVersion(IStorage* storage, const wchar_t* name) {
  return ReadStoredVersion(ZStorageSource(storage), name);
}

void CheckFileVersion(IStorage* storage, const wchar_t* name) {
  CheckStoredFileVersion(ZStorageSource(storage), name);
}

void WriteBlock(IStorage* storage, const wchar_t* name, const void* data, size_t size) {
  WriteStream(storage, name, data, size);
}

void ReadBlock(IStorage* storage, const wchar_t* name, void* data, size_t size) {
  if (size > ULONG_MAX) throw ZReadError(E_INVALIDARG);
  ComPtr<IStream> stream = OpenValueStream(storage, name);
  ReadExactly(stream.Get(), data, static_cast<ULONG>(size));
}

std::vector<uint8_t> ReadAllBytes(IStorage* storage, const wchar_t* name, size_t limit) {
  return ZStorageSource(storage).stream(name, limit);
}

std::vector<uint8_t> ReadStreamBytes(IStream* stream, size_t limit) {
  STATSTG stat = {};
  HRESULT hr = stream->Stat(&stat, STATFLAG_NONAME);
  if (FAILED(hr)) throw ZReadError(hr);
  // Files of this format keep sizes in 32 bits; the high part is not read.
  const ULONG claimed = stat.cbSize.LowPart;
  if (claimed > limit) throw ZReadError();
  std::vector<uint8_t> bytes;
  try {
    while (bytes.size() < claimed) {
      const ULONG done = static_cast<ULONG>(bytes.size());
      const ULONG chunk = std::min(claimed - done, kReadChunk);
      bytes.resize(done + chunk);
      ReadExactly(stream, bytes.data() + done, chunk);
    }
  } catch (const std::bad_alloc&) {
    throw ZReadError(E_OUTOFMEMORY);
  }
  return bytes;
}

// --- ZStorageSource --------------------------------------------------------

std::vector<uint8_t> ZStorageSource::stream(const wchar_t* name, size_t limit) const {
  return ReadStreamBytes(OpenValueStream(storage_.Get(), name).Get(), limit);
}

std::unique_ptr<ZStreamSource> ZStorageSource::child(const wchar_t* name, int32_t* result) const {
  HRESULT hr = S_OK;
  StoragePtr child = OpenSubStorage(storage_.Get(), name, &hr);
  if (result) *result = hr;
  if (!child) return nullptr;
  return std::make_unique<ZStorageSource>(child.Get());
}
