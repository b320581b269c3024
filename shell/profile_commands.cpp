#include "shell/profile_commands.h"

#include "shell/profile_hooks.h"
#include "shell/profile_set.h"

bool SwitchToProfile(const std::string& name) {
  if (Profiles().selectByName(name) != ZProfileResult::Done) return false;
  if (ProfileHooks().reloadActivePlugins) ProfileHooks().reloadActivePlugins();
  if (ProfileHooks().applyProfileSettings) ProfileHooks().applyProfileSettings();
  return true;
}

bool DeleteProfile(const std::string& name) { return Profiles().remove(name) == ZProfileResult::Done; }
