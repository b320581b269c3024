#include "actions/command_menu.h"

#include "actions/action_workers.h"
#include "actions/keystrokes.h"
#include "common/storage.h"

namespace {

constexpr DWORD kKeyStepMs = 10;

}  // namespace

bool ZCommandMenu::equals(const ZCommand& other) const {
  return other.typeId() == typeId() && path_ == static_cast<const ZCommandMenu&>(other).path_;
}

bool ZCommandMenu::execute() {
  WaitForModifiers();
  if (ActionStopRequested()) return false;
  PressKey(VK_MENU);
  Sleep(kKeyStepMs);
  for (char character : path_) {
    // Access keys answer to the plain key, so the shift state the layout
    // would need for the character is left out. A character the layout
    // cannot produce at all is skipped.
    SHORT scan = VkKeyScanA(character);
    if (scan == -1) continue;
    BYTE virtualKey = LOBYTE(scan);
    PressKey(virtualKey);
    Sleep(kKeyStepMs);
    ReleaseKey(virtualKey);
  }
  ReleaseKey(VK_MENU);
  return true;
}

void ZCommandMenu::saveFields(IStorage* storage) const { WriteText(storage, L"Menu", path_); }

std::unique_ptr<ZCommandMenu> ZCommandMenu::fromRecord(const CommandRecord& record) {
  auto command = std::make_unique<ZCommandMenu>();
  command->setPath(ansiText(record, record.text));
  return command;
}
