#include "actions/command_hotkey.h"

#include "actions/action_workers.h"
#include "actions/key_table.h"
#include "actions/keystrokes.h"
#include "common/storage.h"

namespace {

static_assert(KeyTable::kSize == kKeyIndexCount, "the records bound key indices by the key table");

constexpr DWORD kHoldMs = 80;    // keys held down per repetition
constexpr DWORD kSettleMs = 80;  // after the last repetition

}  // namespace

bool ZCommandHotkey::equals(const ZCommand& other) const {
  if (other.typeId() != typeId()) return false;
  const auto& hotkey = static_cast<const ZCommandHotkey&>(other);
  return repeat_ == hotkey.repeat_ && keys_ == hotkey.keys_;
}

bool ZCommandHotkey::execute() {
  // Keys go up in the order they went down (Ctrl, Shift, S), not in reverse.
  // An index outside the table ends the combination like 0 does. At exit the
  // repetitions end early, but never with a key left down.
  for (int round = 0; round < repeat_; ++round) {
    for (uint8_t index : keys_) {
      if (KeyTable::virtualKey(index) == 0) break;
      PressKey(KeyTable::virtualKey(index));
    }
    const bool held = WaitUnlessStopped(kHoldMs);
    for (uint8_t index : keys_) {
      if (KeyTable::virtualKey(index) == 0) break;
      ReleaseKey(KeyTable::virtualKey(index));
    }
    if (!held) return false;
  }
  return WaitUnlessStopped(kSettleMs);
}

void ZCommandHotkey::saveFields(IStorage* storage) const {
  WriteInteger(storage, L"Repeat", repeat_);
  WriteNumberList(storage, L"Keys", {keys_[0], keys_[1], keys_[2], keys_[3]});
}

std::unique_ptr<ZCommandHotkey> ZCommandHotkey::fromRecord(const CommandRecord& record) {
  auto command = std::make_unique<ZCommandHotkey>();
  command->setRepeat(record.repeat);
  command->setKeys(record.keys);
  return command;
}
