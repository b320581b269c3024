#include "web/exchange_request.h"

#include <limits>

namespace {
// Who is asking: interface language, operating system, version and product
// numbers of the program, as the service knows them.
constexpr int32_t kLanguage = 1;
constexpr int32_t kOperatingSystem = 1;
constexpr int32_t kVersion = 8;
constexpr int32_t kProduct = 3;
}  // namespace

std::string EncodeExchangeRequest(const ZUsageReport& report, const std::string& weblistAge,
                                  const std::vector<int32_t>& wantedPlugins) {
  ZWebRequestWriter writer;
  writer.addInteger("language", kLanguage);
  writer.addInteger("os", kOperatingSystem);
  writer.addInteger("version", kVersion);
  writer.addInteger("product", kProduct);
  writer.addIntegerMap("ctplug", report.plugins);
  writer.addIntegerMap("ctsrvc", report.services);
  writer.addIntegerMap("ctsym", report.symbols);
  writer.addBytes("weblist", weblistAge);
  ZIntegerMap wanted;
  for (size_t i = 0; i < wantedPlugins.size(); ++i) wanted.emplace_back(static_cast<int32_t>(i), wantedPlugins[i]);
  writer.addIntegerMap("listidplugin", wanted);
  return writer.body();
}

std::string WeblistAgeText(int64_t lastWrite) {
  if (lastWrite <= kFileTimeOf1970) return "0";
  return std::to_string((lastWrite - kFileTimeOf1970) / 10000);
}

int64_t FileTimeAfter(int64_t now, int64_t seconds) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  if (seconds > kMax / kFileTimeTicksPerSecond) return kMax;
  if (seconds < kMin / kFileTimeTicksPerSecond) return kMin;
  const int64_t ticks = seconds * kFileTimeTicksPerSecond;
  if (ticks > 0 && now > kMax - ticks) return kMax;
  if (ticks < 0 && now < kMin - ticks) return kMin;
  return now + ticks;
}
