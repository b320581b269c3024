// A key combination of up to four keys of the KeyTable, pressed a number of
// times.
#pragma once
#include <array>
#include <cstdint>

#include "actions/command.h"

class ZCommandHotkey : public ZCommandKind<ZCommandHotkey, kCommandHotkey> {
 public:
  static constexpr int kSlots = 4;
  using Keys = std::array<uint8_t, kSlots>;

  int repeat() const { return repeat_; }
  // At most kMostHotkeyRepeats: a larger count is taken as that.
  void setRepeat(int repeat) { repeat_ = CappedRepeat(repeat); }
  // KeyTable indices in pressing order; the first 0 ends the combination.
  const Keys& keys() const { return keys_; }
  uint8_t key(int slot) const { return keys_[slot]; }
  void setKey(int slot, uint8_t index) { keys_[slot] = index; }
  void setKeys(const Keys& keys) { keys_ = keys; }

  bool equals(const ZCommand& other) const override;
  // Presses the combination `repeat` times; always true.
  bool execute() override;
  static std::unique_ptr<ZCommandHotkey> fromRecord(const CommandRecord& record);

 protected:
  void saveFields(IStorage* storage) const override;

 private:
  int repeat_ = 1;
  Keys keys_{};
};
