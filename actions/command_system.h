// One of the fixed system functions (window management, session, scrolling,
// pause, monitor power, clicks, date and time, ...) with its parameter.
#pragma once
#include "actions/command.h"

class ZCommandSystem : public ZCommandKind<ZCommandSystem, kCommandSystem> {
 public:
  // Indices of the functions; stored in files by name, never by number.
  enum Function : int {
    kNone = -1,
    kMaximize = 0,
    kMinimize,
    kRestore,
    kLogOff,
    kReboot,
    kShutdown,
    kVerticalScroll,
    kHorizontalScroll,
    kPause,
    kMonitorOff,
    kMonitorOn,
    kScreenSaver,
    kStartMenu,
    kNextWindow,
    kPreviousWindow,
    kLeftClick,
    kRightClick,
    kMiddleClick,
    kInsertDate,
    kInsertTime,
    kShowMainWindow,
    kMinimizeAll,
    kFunctionCount
  };

  // kNone for a new command.
  int function() const { return function_; }
  // Accepts kNone and 0 to kFunctionCount - 1; false, unchanged, otherwise.
  bool setFunction(int function);
  int parameter() const { return parameter_; }
  void setParameter(int parameter) { parameter_ = parameter; }

  // The name a function is stored under; null outside the table.
  static const char* storedFunctionName(int function);
  // Whether the function has a parameter (scrolls, pause, date and time).
  static bool hasParameter(int function);

  bool equals(const ZCommand& other) const override;
  bool execute() override;
  static std::unique_ptr<ZCommandSystem> fromRecord(const CommandRecord& record);

 protected:
  void saveFields(IStorage* storage) const override;

 private:
  int function_ = kNone;
  int parameter_ = 0;
};
