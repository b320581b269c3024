#include "shell/web_commands.h"

#include "shell/folders.h"
#include "shell/internet_session.h"
#include "shell/profile_set.h"
#include "shell/startup_steps.h"
#include "shell/usage_counters.h"
#include "web/plugin_download.h"
#include "web/web_exchange.h"
#include "web/web_host.h"

namespace {

ZIntegerMap TakeUnreported(ZUsageCounters& counters) {
  ZIntegerMap unreported;
  for (const auto& entry : counters.entries())
    if (entry.second.recent != 0) unreported.emplace_back(entry.first, static_cast<int32_t>(entry.second.recent));
  counters.clearRecent();
  return unreported;
}

void GiveBack(ZUsageCounters& counters, const ZIntegerMap& unreported) {
  for (const auto& entry : unreported) {
    const auto found = counters.entries().find(entry.first);
    ZUsageCount count = found != counters.entries().end() ? found->second : ZUsageCount();
    count.recent += static_cast<uint32_t>(entry.second);
    counters.set(entry.first, count);
  }
}

// The exchange's view of the running program: the shell's session, folders,
// current profile and counters.
class ZShellWebHost : public ZWebHost {
 public:
  HINTERNET session() override { return InternetSession(); }
  std::string systemFolder() override { return Folders().system; }
  std::string downloadsFolder() override { return Folders().downloads; }
  std::string pluginsFolder() override { return Folders().profilePlugins; }
  ZKeyBlock profileKey() override { return ProfileKey(); }

  ZUsageReport takeUnreportedCounts() override {
    ZUsageReport report;
    report.plugins = TakeUnreported(PluginCounters());
    report.services = TakeUnreported(ServiceCounters());
    report.symbols = TakeUnreported(SymbolCounters());
    return report;
  }
  void restoreUnreportedCounts(const ZUsageReport& report) override {
    GiveBack(PluginCounters(), report.plugins);
    GiveBack(ServiceCounters(), report.services);
    GiveBack(SymbolCounters(), report.symbols);
  }
  void saveProfile() override { Profiles().saveCurrent(); }
  void reloadWebServiceList(const std::string&, const ZKeyBlock&) override { LoadWebSiteList(Folders().system); }
};

}  // namespace

void RunWebExchange(bool force) {
  ZShellWebHost host;
  RunServiceExchange(host, force);
}

void OpenPluginDownload(HWND parent) {
  ZShellWebHost host;
  ZPluginDownload wizard(parent, host);
  wizard.run();
}
