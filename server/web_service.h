// What the reference web service answers. A request (web/request_codec.h)
// reports usage counts, which are written to the request log, and the age
// of the caller's web service list; the answer (web/web_response.h) holds
// the next call time, the service lists zipped when the caller's are older
// than the catalogue's, and, for a download, the wanted plug-ins as a
// package (an outer archive with "inner.zip" and a readme).
//
// The catalogue folder holds the lists as plain files named like their
// fields ("weblist", "plgndscr", "languages", "firms", ...) and the plug-ins
// as "wps%06d.zta". It is read at every request, so files put there while
// the service runs count at once; archives of unchanged lists are kept.
#pragma once
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "web/request_codec.h"

struct ZServiceOptions {
  std::string catalogue;       // folder, ending in "/"
  int32_t nextCallSeconds = 86400;
  FILE* log = nullptr;         // one line per accepted request, or none
  // A service that breaks off: every answer ends inside one more field, so
  // that callers can be shown to use nothing of it.
  bool breakOff = false;
};

struct ZServiceAnswer {
  int status = 200;
  std::string contentType;
  std::string body;
};

class ZWebService {
 public:
  explicit ZWebService(ZServiceOptions options) : options_(std::move(options)) {}

  // The answer to a request body: 200 with the fields, or 400 with a line of
  // text saying what is wrong with the request.
  ZServiceAnswer answer(const std::string& body);

 private:
  struct CachedList {
    int64_t modified = 0;
    int64_t size = -1;
    std::string archive;
  };

  bool listsNewerThan(int64_t ageMilliseconds) const;
  const std::string* zippedList(const std::string& name);
  bool pluginPackage(const ZIntegerMap& wanted, std::string& package) const;
  void record(const std::vector<ZWebRequestField>& fields) const;

  ZServiceOptions options_;
  std::map<std::string, CachedList> lists_;
};

// The list fields an answer may carry, the web service list first.
extern const char* const kServiceListNames[9];

// One request as the log shows it, e.g.
//   "request language=1 os=1 version=8 product=3 ctplug=5:2,7:1 weblist=0 listidplugin=12,13"
std::string RequestLogLine(const std::vector<ZWebRequestField>& fields);
