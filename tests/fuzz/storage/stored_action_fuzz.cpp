// Arbitrary storages through the readers of stored actions and commands,
// over an in-memory stream source that keeps the source's contract (missing
// elements, unreadable ones, streams that claim more than they hold). Every
// read either succeeds with a record inside its bounds or throws ZReadError.
//
// Input: one byte whose low bit says whether the storage is a file of its
// own, then elements: a place byte (the storage that holds it, below), a name
// byte (an index into kNames), a length byte and that many value bytes. A
// length of 255 instead gives a hostile stream: four bytes of the size it
// claims follow, and it holds nothing. A name byte of 255 makes the place's
// storage one that cannot be opened.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "actions/stored_action_record.h"
#include "common/errors.h"
#include "tests/fuzz/storage/command_record_checks.h"
#include "tests/fuzz/tolerate.h"

namespace {

const wchar_t* const kNames[] = {
    L"File Version", L"Language",  L"Name",         L"Hotkey",    L"Type",       L"Website",
    L"Repeat",       L"Keys",      L"Menu",         L"Text",      L"Function",   L"Parameter",
    L"Filepath",     L"Directory", L"Command line", L"Window style", L"Wait",    L"Sound type",
    L"Index",        L"Loop",      L"Service",      L"Symbol"};
constexpr size_t kNameCount = sizeof kNames / sizeof kNames[0];

// Places: the root, numbered commands with a gap before the last, the sound.
const wchar_t* const kPlaces[] = {nullptr, L"Command 00", L"Command 01", L"Command 02", L"Command 04", L"Sound"};
constexpr size_t kPlaceCount = sizeof kPlaces / sizeof kPlaces[0];

constexpr uint8_t kHostileLength = 255;
constexpr uint8_t kUnreadableStorage = 255;
constexpr int32_t kDamaged = static_cast<int32_t>(0x80030109u);  // STG_E_DOCFILECORRUPT

struct Stream {
  std::vector<uint8_t> bytes;
  uint32_t claimed = 0;
};

struct Storage {
  std::map<std::wstring, Stream> streams;
  std::map<std::wstring, Storage> children;
  bool unreadable = false;
};

class MemorySource : public ZStreamSource {
 public:
  explicit MemorySource(const Storage& storage) : storage_(storage) {}
  std::vector<uint8_t> stream(const wchar_t* name, size_t limit) const override {
    const auto found = storage_.streams.find(name);
    if (found == storage_.streams.end()) throw ZReadError(kElementNotFound);
    if (found->second.claimed > limit) throw ZReadError();
    if (found->second.claimed != found->second.bytes.size()) throw ZReadError(kDamaged);
    return found->second.bytes;
  }
  std::unique_ptr<ZStreamSource> child(const wchar_t* name, int32_t* result) const override {
    const auto found = storage_.children.find(name);
    *result = found == storage_.children.end() ? kElementNotFound : found->second.unreadable ? kDamaged : 0;
    if (*result != 0) return nullptr;
    return std::make_unique<MemorySource>(found->second);
  }

 private:
  const Storage& storage_;
};

Storage Parse(const uint8_t* data, size_t size) {
  Storage root;
  size_t at = 1;
  while (at + 3 <= size) {
    const wchar_t* place = kPlaces[data[at] % kPlaceCount];
    const uint8_t nameByte = data[at + 1];
    const uint8_t length = data[at + 2];
    at += 3;
    Storage& storage = place ? root.children[place] : root;
    if (nameByte == kUnreadableStorage) {
      storage.unreadable = true;
      continue;
    }
    Stream& stream = storage.streams[kNames[nameByte % kNameCount]];
    if (length == kHostileLength) {
      if (at + 4 > size) break;
      stream.bytes.clear();
      stream.claimed = static_cast<uint32_t>(data[at]) | data[at + 1] << 8 | data[at + 2] << 16 |
                       static_cast<uint32_t>(data[at + 3]) << 24;
      at += 4;
      continue;
    }
    const size_t taken = std::min<size_t>(length, size - at);
    stream.bytes.assign(data + at, data + at + taken);
    stream.claimed = static_cast<uint32_t>(taken);
    at += taken;
  }
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Storage root = Parse(data, size);
  const MemorySource source(root);
  Tolerate([&] {
    const StoredActionRecord action = ReadStoredAction(source, data[0] & 1);
    RequireRecord(action.name.size() <= kLongestTextValue);
    RequireRecord(!action.webService || action.commands.empty());
    RequireRecord(!action.sound || action.webService);
    for (const CommandRecord& command : action.commands) CheckCommandRecord(command);
    if (action.sound) {
      RequireRecord(action.sound->type == kCommandSound);
      CheckCommandRecord(*action.sound);
    }
  });
  Tolerate([&] { CheckCommandRecord(ReadStoredCommand(source)); });
  Tolerate([&] { CheckCommandRecord(ReadStoredSoundFields(source)); });
  return 0;
}
