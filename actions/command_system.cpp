#include "actions/command_system.h"
#include "actions/system_functions.h"

#include "common/storage.h"

bool ZCommandSystem::setFunction(int function) {
  if (function < kNone || function >= kFunctionCount) return false;
  function_ = function;
  return true;
}

const char* ZCommandSystem::storedFunctionName(int function) { return StoredSystemFunctionName(function); }

bool ZCommandSystem::hasParameter(int function) { return SystemFunctionHasParameter(function); }

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

std::unique_ptr<ZCommandSystem> ZCommandSystem::fromRecord(const CommandRecord& record) {
  auto command = std::make_unique<ZCommandSystem>();
  command->setFunction(record.function);
  command->setParameter(record.parameter);
  return command;
}
