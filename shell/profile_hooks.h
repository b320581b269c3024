// What opening and saving a profile asks of other subsystems: the plug-in
// catalogue, the profile's symbol library, the web service identities and
// the reloading of the active plug-ins after a switch. Each slot is filled by
// its subsystem at start-up; an empty slot is skipped.
#pragma once
#include <functional>
#include <string>

#include "common/key_block.h"

struct ZProfileHooks {
  std::function<void(const std::string& pluginsFolder)> reloadPluginCatalogue;
  std::function<void(const std::string& symbolsFolder)> loadProfileSymbols;
  // "ids", the credentials of the web services.
  std::function<void(const std::string& path, const ZKeyBlock& key)> loadIdentities;
  std::function<bool(const std::string& path, const ZKeyBlock& key)> saveIdentities;
  // After a switch or a creation: reload the services and common plug-ins,
  // empty the application slot, register the hotkeys again.
  std::function<void()> reloadActivePlugins;
  // After a switch or a creation: the new profile's settings take effect
  // (capture, the Run registry value, the sound theme).
  std::function<void()> applyProfileSettings;
};

ZProfileHooks& ProfileHooks();
