// What a web-service action needs from the shell and the plug-ins, which
// sit above it: filled in at start-up; an empty slot is skipped.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class ZPlugin;
class ZBrowserSession;

struct ZWebServiceHooks {
  // Counts one use of the service ("stsv").
  std::function<void(int32_t serviceId)> countServiceUse;
  // Writes the credential table to the current profile's "ids".
  std::function<bool()> saveCredentials;
  // Saves a plug-in whose action changed its service.
  std::function<void(ZPlugin& plugin)> savePlugin;
  // The sounds folder, ending in "\".
  std::function<std::string()> soundsFolder;
};

ZWebServiceHooks& WebServiceHooks();
