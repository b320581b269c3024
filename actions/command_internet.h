// Opens a web address or a new e-mail message.
#pragma once
#include "actions/command.h"

class ZCommandInternet : public ZCommandKind<ZCommandInternet, kCommandInternet> {
 public:
  enum Function : int { kWebsite = 0, kEmail = 1, kForum = 2, kService = 3, kFunctionCount };

  int function() const { return function_; }
  // False, unchanged, for a value outside Function.
  bool setFunction(int function);
  // The web address, e-mail address, or the forum or service named.
  const std::string& target() const { return target_; }
  void setTarget(const std::string& target) { target_ = target; }

  bool equals(const ZCommand& other) const override;
  bool execute() override;
  void loadFields(IStorage* storage) override;

 protected:
  void saveFields(IStorage* storage) const override;

 private:
  int function_ = kWebsite;
  std::string target_;
};
