// Opens a web address or a new e-mail message.
#pragma once
#include "actions/command.h"

class ZCommandInternet : public ZCommandKind<ZCommandInternet, kCommandInternet> {
 public:
  enum Function : int { kNone = kNoFunction, kWebsite = 0, kEmail = 1, kForum = 2, kService = 3, kFunctionCount };

  // kNone only for a command read with a function outside the table; it does
  // nothing when run.
  int function() const { return function_; }
  // Accepts kNone and 0 to kFunctionCount - 1; false, unchanged, otherwise.
  bool setFunction(int function);
  // The web address, e-mail address, or the forum or service named.
  const std::string& target() const { return target_; }
  void setTarget(const std::string& target) { target_ = target; }

  bool equals(const ZCommand& other) const override;
  bool execute() override;
  static std::unique_ptr<ZCommandInternet> fromRecord(const CommandRecord& record);

 protected:
  void saveFields(IStorage* storage) const override;

 private:
  int function_ = kWebsite;
  std::string target_;
};
