// What a request to the web service says: the program's identity numbers,
// the usage counts since the last report, the age of the local web service
// list and, for a download, the wanted plug-ins.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "web/request_codec.h"

// Counts since the last report, id to count, ascending ids, no zero counts.
struct ZUsageReport {
  ZIntegerMap plugins;   // "ctplug": by plug-in id
  ZIntegerMap services;  // "ctsrvc": by web service id
  ZIntegerMap symbols;   // "ctsym": by symbol id; 0 counts gestures no action matched
  bool empty() const { return plugins.empty() && services.empty() && symbols.empty(); }
};

// The body: "language", "os", "version", "product", the three counter maps
// (each left out when empty), "weblist" with `weblistAge`, and, when
// `wantedPlugins` is not empty, "listidplugin" mapping 0, 1, 2, ... to the ids.
std::string EncodeExchangeRequest(const ZUsageReport& report, const std::string& weblistAge,
                                  const std::vector<int32_t>& wantedPlugins);

// File times: 100-nanosecond units since 1601-01-01 UTC.
constexpr int64_t kFileTimeTicksPerSecond = 10000000;
constexpr int64_t kFileTimeOf1970 = 116444736000000000;

// The "weblist" value for a list file last written at `lastWrite`: the
// milliseconds since 1970-01-01 UTC in decimal; "0" for no file (0) or a
// time before 1970.
std::string WeblistAgeText(int64_t lastWrite);

// `now` moved on by `seconds`, saturating at the ends of the 64-bit range.
int64_t FileTimeAfter(int64_t now, int64_t seconds);
