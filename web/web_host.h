// What the web exchange and the plug-in download need of the program around
// them: the Internet session, the folders, the current profile's key,
// counters and saving, and the reloading of the web service list. The
// shell fills it (shell/web_commands); web/ stays below the shell.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <string>

#include "common/key_block.h"
#include "web/exchange_request.h"

class ZWebHost {
 public:
  virtual ~ZWebHost() = default;

  // The program's Internet session; null when it could not be opened.
  virtual HINTERNET session() = 0;
  // Folders, each ending in "\": the shared "system\" (the service lists)
  // and "dls\" (downloaded plug-ins), and the profile's "plug-ins\".
  virtual std::string systemFolder() = 0;
  virtual std::string downloadsFolder() = 0;
  virtual std::string pluginsFolder() = 0;
  // The key of the current profile's files (the default key without password).
  virtual ZKeyBlock profileKey() = 0;

  // The counts since the last report, which are set to 0.
  virtual ZUsageReport takeUnreportedCounts() = 0;
  // Adds counts back as not reported (a request that never reached the service).
  virtual void restoreUnreportedCounts(const ZUsageReport& report) = 0;
  virtual void saveProfile() = 0;

  // The web service list file was replaced: load it again.
  virtual void reloadWebServiceList(const std::string& path, const ZKeyBlock& key) = 0;
};
