// Benchmark (under Wine): the press of the drawing button over a window other
// than the last one, in a password-protected profile with 100 application
// plug-ins. The plug-in of the window's class is decrypted and read on the
// interface thread, and the hotkeys are registered again, before the
// gesture can go on.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "actions/command_text.h"
#include "common/app_context.h"
#include "common/password_key.h"
#include "common/settings.h"
#include "plugins/plugin_manager.h"
#include "tests/road/road_fixtures.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kPlugins = 100;
constexpr int kActionsPerPlugin = 12;

std::string Numbered(const char* format, int number) {
  char text[64];
  snprintf(text, sizeof text, format, number);
  return text;
}

// An application plug-in as users have them: a dozen text actions, two of
// them with hotkeys.
void WriteApplicationPlugin(const std::string& path, int number, const ZKeyBlock& key) {
  ZPlugin plugin;
  plugin.setName(Numbered("Application %d", number));
  plugin.setKey(Numbered("BenchApp%03d", number));
  plugin.setCaption(Numbered("Bench application %d", number));
  plugin.setId(number + 1);
  for (int a = 0; a < kActionsPerPlugin; ++a) {
    const uint16_t hotkey = a < 2 ? static_cast<uint16_t>((3 << 8) | (VK_F5 + a)) : 0;
    auto macro = Macro(Numbered("Action %d", a), static_cast<uint32_t>(100 * number + a), hotkey);
    auto text = std::make_unique<ZCommandText>();
    text->setText("some text an action of this application pastes");
    macro->append(std::move(text));
    plugin.addAction(std::move(macro));
  }
  plugin.saveAs(path, key);
}

class ZProtectedProfile {
 public:
  ZProtectedProfile()
      : key_(DeriveKey("a password")),
        main_("ZavotraBenchMain", "Zavotra", 0, 0, 40),
        first_("BenchApp007", "Bench application 7", 100, 100, 200),
        second_("BenchApp042", "Bench application 42", 400, 100, 200) {
    SetMainWindow(main_.get());
    Settings().applicationDetection = true;
    for (int i = 0; i < kPlugins; ++i)
      WriteApplicationPlugin(folder_.file(Numbered("app%03d.zta", i)), i, key_);
    manager_.setKeySource([this]() -> const ZKeyBlock& { return key_; });
    manager_.reloadCatalogue(folder_.path());
  }
  ~ZProtectedProfile() { SetMainWindow(nullptr); }

  ZPluginManager& manager() { return manager_; }
  size_t catalogueSize() const { return manager_.catalogue().size(); }

 private:
  TempFolder folder_;
  ZKeyBlock key_;
  TestWindow main_;
  TestWindow first_;
  TestWindow second_;
  ZPluginManager manager_;
};

void BM_PressOverANewWindow(benchmark::State& state) {
  static ZProtectedProfile profile;
  if (profile.catalogueSize() != kPlugins) return state.SkipWithError("the plug-ins were not all read");
  const POINT over[] = {{200, 200}, {500, 200}};
  static int next = 0;  // the last window of one run is not new to the next
  for (auto _ : state) {
    profile.manager().detectApplicationAt(over[next], false, false);
    next = 1 - next;
    if (!profile.manager().plugin(ZPluginManager::kApplication))
      return state.SkipWithError("no plug-in was chosen for the window");
  }
}
BENCHMARK(BM_PressOverANewWindow)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
