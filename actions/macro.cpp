#include "actions/macro.h"

#include "actions/action_workers.h"
#include "common/storage.h"

ZMacro::ZMacro(const ZMacro& other) : ZAction(other), std::list<ZCommand*>() {
  for (const ZCommand* command : other) append(command->clone());
}

ZMacro::~ZMacro() { clearCommands(); }

void ZMacro::clearCommands() {
  for (ZCommand* command : *this) delete command;
  clear();
}

bool ZMacro::execute(HWND) {
  // At exit the commands not yet begun are not begun.
  for (ZCommand* command : *this)
    if (ActionStopRequested() || !command->execute()) return false;
  return true;
}

std::unique_ptr<ZAction> ZMacro::clone() const { return std::make_unique<ZMacro>(*this); }

bool ZMacro::equals(const ZAction& other) const {
  const auto* macro = dynamic_cast<const ZMacro*>(&other);
  if (!macro || macro->size() != size()) return false;
  for (auto mine = begin(), theirs = macro->begin(); mine != end(); ++mine, ++theirs)
    if (!(*mine)->equals(**theirs)) return false;
  return true;
}

void ZMacro::save(IStorage* storage, bool topLevel) const {
  ZAction::save(storage, topLevel);
  WriteLiteral(storage, L"Type", "Macro");
  int number = 0;
  for (const ZCommand* command : *this)
    command->save(CreateSubStorage(storage, NumberedName(L"Command", number++).c_str()).Get());
}
