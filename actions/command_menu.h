// Runs an item of the foreground application's menu bar the way a keyboard
// user does: Alt held, then the access characters of the menu and its items.
#pragma once
#include "actions/command.h"

class ZCommandMenu : public ZCommandKind<ZCommandMenu, kCommandMenu> {
 public:
  // The access characters in typing order, system code page ("FS" is
  // File, Save).
  const std::string& path() const { return path_; }
  void setPath(const std::string& path) { path_ = path; }

  bool equals(const ZCommand& other) const override;
  // Always true: nothing in the target tells whether the item existed.
  bool execute() override;
  static std::unique_ptr<ZCommandMenu> fromRecord(const CommandRecord& record);

 protected:
  void saveFields(IStorage* storage) const override;

 private:
  std::string path_;
};
