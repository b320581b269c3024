#include "actions/command_internet.h"
#include "actions/sound_and_internet_requests.h"

#include "actions/stored_names.h"
#include "common/storage.h"

namespace {

constexpr const char* kFunctionNames[] = {"Website", "e-mail", "Forum", "Service"};

}  // namespace

bool ZCommandInternet::setFunction(int function) {
  if (function < 0 || function >= kFunctionCount) return false;
  function_ = function;
  return true;
}

bool ZCommandInternet::equals(const ZCommand& other) const {
  if (other.typeId() != typeId()) return false;
  const auto& internet = static_cast<const ZCommandInternet&>(other);
  return function_ == internet.function_ && target_ == internet.target_;
}

bool ZCommandInternet::execute() {
  return ExecuteInternetRequest(function_, target_);
}

void ZCommandInternet::saveFields(IStorage* storage) const {
  WriteLiteral(storage, L"Function", kFunctionNames[function_]);
  WriteText(storage, L"Service", target_);
}

void ZCommandInternet::loadFields(IStorage* storage) {
  int function = RequireStoredName(kFunctionNames, ReadLiteral(storage, L"Function"));
  std::string target = ReadText(storage, L"Service");
  function_ = function;
  target_ = target;
}
