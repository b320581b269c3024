#include "actions/command_system.h"
#include "actions/system_functions.h"

#include "actions/stored_names.h"
#include "common/storage.h"

namespace {

// Stored names by function index.
constexpr const char* kFunctionNames[ZCommandSystem::kFunctionCount] = {
    "Maximize window",   "Minimize window",   "Restore window",      "Logoff Windows",
    "Reboot system",     "Shutdown system",   "Vertical scroll",     "Horizontal scroll",
    "Pause",             "Monitor power off", "Monitor power on",    "Launch screen saver",
    "Windows start menu", "Next window",      "Previous window",     "Left click",
    "Right click",       "Middle click",      "Insert date text",    "Insert time text",
    "Show Zavotra window", "Minimize all windows"};

}  // namespace

bool ZCommandSystem::setFunction(int function) {
  if (function < kNone || function >= kFunctionCount) return false;
  function_ = function;
  return true;
}

const char* ZCommandSystem::storedFunctionName(int function) {
  return function >= 0 && function < kFunctionCount ? kFunctionNames[function] : nullptr;
}

bool ZCommandSystem::hasParameter(int function) {
  return function == kVerticalScroll || function == kHorizontalScroll || function == kPause ||
         function == kInsertDate || function == kInsertTime;
}

bool ZCommandSystem::equals(const ZCommand& other) const {
  if (other.typeId() != typeId()) return false;
  const auto& system = static_cast<const ZCommandSystem&>(other);
  return function_ == system.function_ && parameter_ == system.parameter_;
}

bool ZCommandSystem::execute() {
  return ExecuteSystemFunction(function_, parameter_);
}

void ZCommandSystem::saveFields(IStorage* storage) const {
  // A command whose function was never chosen is kept with an empty name so
  // that it reads back as such instead of making its whole action unreadable.
  const char* name = storedFunctionName(function_);
  WriteLiteral(storage, L"Function", name ? name : "");
  if (hasParameter(function_)) WriteInteger(storage, L"Parameter", parameter_);
}

void ZCommandSystem::loadFields(IStorage* storage) {
  std::string name = ReadLiteral(storage, L"Function");
  int function = name.empty() ? kNone : RequireStoredName(kFunctionNames, name);
  int parameter = hasParameter(function) ? ReadInteger(storage, L"Parameter") : 0;
  function_ = function;
  parameter_ = parameter;
}
