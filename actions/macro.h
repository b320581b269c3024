// An action made of commands run one after another. The macro is itself the
// list of its commands, in execution order, and owns them: every pointer in
// the list is deleted with the macro, so code that removes one from the list
// takes over deleting it.
#pragma once
#include <list>
#include <memory>

#include "actions/action.h"
#include "actions/command.h"

class ZMacro : public ZAction, public std::list<ZCommand*> {
 public:
  ZMacro() = default;
  // Copies the action's fields and clones every command.
  ZMacro(const ZMacro& other);
  ZMacro& operator=(const ZMacro&) = delete;
  ~ZMacro() override;

  // Runs the commands in order and stops at the first that returns false;
  // true when all did (or there are none). `window` is not used.
  bool execute(HWND window) override;
  std::unique_ptr<ZAction> clone() const override;
  // True for a macro whose commands are pairwise equal; name, symbol and
  // hotkey do not count.
  bool equals(const ZAction& other) const override;
  void save(IStorage* storage, bool topLevel) const override;

  void append(std::unique_ptr<ZCommand> command) { push_back(command.release()); }
  // Deletes every command.
  void clearCommands();
};
