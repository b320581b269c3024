#include "common/storage.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

std::string UpToFirstNul(const std::vector<uint8_t>& bytes) {
  const char* text = reinterpret_cast<const char*>(bytes.data());
  const void* nul = std::memchr(text, 0, bytes.size());
  size_t length = nul ? static_cast<const char*>(nul) - text : bytes.size();
  return std::string(text, length);
}

std::string ReadTerminated(IStorage* storage, const wchar_t* name) {
  return UpToFirstNul(ReadAllBytes(storage, name));
}

const char* SkipBlanks(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  return text;
}

// Leading decimal digits as an unsigned value, saturating; *end is where the
// digits stop (== text when there are none).
unsigned long long ParseDigits(const char* text, const char** end) {
  unsigned long long value = 0;
  while (*text >= '0' && *text <= '9') {
    unsigned digit = static_cast<unsigned>(*text - '0');
    value = value > (ULLONG_MAX - digit) / 10 ? ULLONG_MAX : value * 10 + digit;
    ++text;
  }
  *end = text;
  return value;
}

// atoi's reading, without its undefined behaviour on overflow.
int32_t ParseInteger(const char* text) {
  text = SkipBlanks(text);
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  const char* end;
  unsigned long long magnitude = ParseDigits(text, &end);
  if (negative) {
    return magnitude >= 2147483648ull ? INT32_MIN : -static_cast<int32_t>(magnitude);
  }
  return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}

// One "%u" conversion: blanks, optional sign (a minus wraps as scanf does),
// digits. Returns false when no digits follow.
bool ScanUnsigned(const char** cursor, uint32_t* value) {
  const char* text = SkipBlanks(*cursor);
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  const char* end;
  unsigned long long magnitude = ParseDigits(text, &end);
  if (end == text) return false;
  uint32_t clipped = magnitude > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(magnitude);
  *value = negative ? 0u - clipped : clipped;
  *cursor = end;
  return true;
}

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

std::wstring NumberedName(const wchar_t* prefix, int index) {
  wchar_t number[16];
  swprintf(number, 16, L" %02d", index);
  return std::wstring(prefix) + number;
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
  return Utf8ToAnsi(ReadTerminated(storage, name));
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
  return ReadTerminated(storage, name);
}

void WriteUtf8Text(IStorage* storage, const wchar_t* name, const std::string& utf8) {
  WriteTerminated(storage, name, utf8);
}

std::string ReadUtf8Text(IStorage* storage, const wchar_t* name) {
  return ReadTerminated(storage, name);
}

void WriteInteger(IStorage* storage, const wchar_t* name, int32_t value) {
  char text[16];
  snprintf(text, sizeof text, "%d", static_cast<int>(value));
  WriteText(storage, name, text);
}

int32_t ReadInteger(IStorage* storage, const wchar_t* name) {
  return ParseInteger(ReadText(storage, name).c_str());
}

void WriteUnsigned(IStorage* storage, const wchar_t* name, uint32_t value) {
  char text[16];
  snprintf(text, sizeof text, "%u", static_cast<unsigned>(value));
  WriteText(storage, name, text);
}

uint32_t ReadUnsigned(IStorage* storage, const wchar_t* name) {
  std::string text = ReadText(storage, name);
  const char* cursor = text.c_str();
  uint32_t value = 0;
  return ScanUnsigned(&cursor, &value) ? value : 0;
}

void WriteBoolean(IStorage* storage, const wchar_t* name, bool value) {
  WriteLiteral(storage, name, value ? "true" : "false");
}

bool ReadBoolean(IStorage* storage, const wchar_t* name) {
  return ReadLiteral(storage, name) == "true";
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
  std::string text = ReadText(storage, name);
  std::vector<uint32_t> numbers;
  const char* cursor = text.c_str();
  uint32_t number = 0;
  while (numbers.size() < maxCount && ScanUnsigned(&cursor, &number)) numbers.push_back(number);
  return numbers;
}

void WriteVersion(IStorage* storage, const wchar_t* name, const std::string& version) {
  WriteLiteral(storage, name, version);
}

double ReadVersion(IStorage* storage, const wchar_t* name) {
  return atof(ReadLiteral(storage, name).c_str());
}

void CheckFileVersion(IStorage* storage, const wchar_t* name) {
  const double version = ReadVersion(storage, name);
  if (!(version >= 2.0 && version < 3.0)) throw ZReadError();
}

void WriteBlock(IStorage* storage, const wchar_t* name, const void* data, size_t size) {
  WriteStream(storage, name, data, size);
}

void ReadBlock(IStorage* storage, const wchar_t* name, void* data, size_t size) {
  if (size > ULONG_MAX) throw ZReadError(E_INVALIDARG);
  ComPtr<IStream> stream = OpenValueStream(storage, name);
  ReadExactly(stream.Get(), data, static_cast<ULONG>(size));
}

std::vector<uint8_t> ReadAllBytes(IStorage* storage, const wchar_t* name) {
  ComPtr<IStream> stream = OpenValueStream(storage, name);
  STATSTG stat = {};
  HRESULT hr = stream->Stat(&stat, STATFLAG_NONAME);
  if (FAILED(hr)) throw ZReadError(hr);
  // A damaged file may claim a size no buffer can hold.
  ULONG size = stat.cbSize.LowPart;
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    throw ZReadError(E_OUTOFMEMORY);
  }
  if (size) ReadExactly(stream.Get(), bytes.data(), size);
  return bytes;
}
