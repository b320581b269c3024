// One exchange with the web service over WinINet: the request reports the
// usage counts since the last report, the answer may carry the next call
// time, new service lists and a plug-in package.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "web/internet_handle.h"
#include "web/web_host.h"
#include "web/web_response.h"

class ZWebExchange {
 public:
  explicit ZWebExchange(ZWebHost& host) : host_(host) {}
  ZWebExchange(const ZWebExchange&) = delete;
  ZWebExchange& operator=(const ZWebExchange&) = delete;

  // Builds the request before anything is sent: takes the counts since the
  // last report (they are 0 from now on), sets the next call time a day
  // ahead and saves the profile. With `forceList` the service is asked for
  // the web service list whatever the age of ours.
  void build(bool forceList, const std::vector<int32_t>& wantedPlugins = {});
  const std::string& body() const { return body_; }

  // A POST to the service's root; false when it can't be reached or did not
  // answer 200. The counts of build() then go back to the profile, which is
  // saved again: a report that never arrived is not lost.
  bool send();
  // Reads the answer, reporting an "F" value's progress to `progressBar`
  // when there is one.
  ZWebResponseEnd read(HWND progressBar, ZWebResponse& response);
  void close();

 private:
  ZWebHost& host_;
  std::string body_;
  ZUsageReport report_;
  ZInternetHandle connection_;
  ZInternetHandle request_;
};

// What a complete answer calls for, in this order: the next call time (and
// a profile save); the web service list, which is reloaded; the other lists
// ("charsets", "firms", "country", "cntryrdr", "languages", "lgngrps",
// "srvcnms", "plgndscr"). Each list arrives as a zip archive holding the
// file of its name and is stored in the system folder encrypted with the
// default key (7 bytes). A list whose archive fails leaves the previous
// file as it was.
void ApplyWebResponse(ZWebHost& host, const ZWebResponse& response);

// The exchange of the shortcut Ctrl+Alt+U (or a plain one without
// `forceList`): build, send, read, apply a complete answer, close, beep.
void RunServiceExchange(ZWebHost& host, bool forceList);

// Puts the file `name` of the zip archive `archive` into `folder`, encrypted
// with `key`, in one step. False, the previous file untouched, when the
// archive does not extract or lacks the file.
bool InstallListFromArchive(const std::string& folder, const std::string& name, const uint8_t* archive,
                            size_t size, const ZKeyBlock& key);
