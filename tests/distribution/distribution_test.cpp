// The distribution folder as a new user gets it: its symbol library and
// skeleton plug-ins hold the default symbols and actions; the program,
// started from an installation laid out from it, makes the Default profile
// from the skeleton, and the "Maximize" symbol drawn with injected
// right-button input over a real window maximises it while the theme says so.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "common/default_key.h"
#include "common/directory_tree.h"
#include "common/id_text_table.h"
#include "gesture/symbol_library.h"
#include "plugins/plugin.h"
#include "shell/application.h"
#include "shell/registry_entries.h"
#include "sound/mp3_frame.h"
#include "sound/xa_player.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/injected_input.h"
#include "tools/distribution/default_actions.h"
#include "tools/distribution/default_symbols.h"

#ifndef ZAVOTRA_DISTRIBUTION
#error "the test needs the path of the distribution folder"
#endif

namespace {
constexpr DWORD kPatience = 30000;
const std::string kProgram = std::string(ZAVOTRA_DISTRIBUTION) + "\\program\\";

// Sample frames of an MP3 file, its encoder's summary frame left out.
uint64_t Mp3Samples(const std::string& path) {
  const std::string bytes = FileText(path);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  uint64_t samples = 0;
  ZMp3Frame frame;
  for (size_t at = FindFirstMp3Frame(data, bytes.size(), 0, frame); at < bytes.size() && frame.length > 0;) {
    if (!IsMp3InfoFrame(data + at, frame)) samples += frame.samplesPerFrame;
    at += frame.length;
    if (at + 4 > bytes.size() || !ParseMp3FrameHeader(data + at, bytes.size() - at, frame)) break;
  }
  return samples;
}

TEST(DistributionContent, TheLibraryFilesHoldEveryDefaultSymbolInItsCategory) {
  ZSymbolLibrary library;
  library.loadCategories(kProgram + "symbols\\");
  const std::vector<DefaultCategory>& expected = DefaultCategories();
  ASSERT_EQ(library.categories().size(), expected.size());
  for (size_t c = 0; c < expected.size(); ++c) {
    const SymbolCategory& read = library.categories()[c];
    EXPECT_EQ(read.name, expected[c].name);
    ASSERT_EQ(read.symbols.size(), expected[c].symbols.size()) << read.name;
    for (const DefaultSymbol& definition : expected[c].symbols) {
      Symbol made = MakeDefaultSymbol(definition);
      bool found = false;
      for (const Symbol& symbol : read.symbols) {
        made.setPath(symbol.path());
        found = found || symbol == made;
      }
      EXPECT_TRUE(found) << definition.name << " is not in " << read.name << " as defined";
    }
  }
}

TEST(DistributionContent, TheSkeletonPluginsHoldTheCommonActionsAndTheThemeSpeaksThem) {
  ZPlugin common;
  common.read(kProgram + "skel\\plug-ins\\common.ztc", nullptr, DefaultKey());
  ASSERT_EQ(common.actions().size(), DefaultCommonActions().size());
  for (size_t i = 0; i < common.actions().size(); ++i) {
    const DefaultAction& expected = DefaultCommonActions()[i];
    EXPECT_EQ(common.actions()[i]->name(), expected.name);
    ASSERT_NE(common.actions()[i]->symbol(), nullptr);
    EXPECT_EQ(common.actions()[i]->symbol()->name(), expected.symbol);
  }
  ZPlugin services;
  services.read(kProgram + "skel\\plug-ins\\services.ztc", nullptr, DefaultKey());
  EXPECT_EQ(services.name(), "Services");

  const std::string theme = kProgram + "sounds\\English Female Voice\\";
  ZIdTextTable events;
  ASSERT_TRUE(events.read((theme + "events").c_str()));
  for (const DefaultAction& action : DefaultCommonActions()) {
    const std::string* file = events.find(static_cast<uint32_t>(action.event));
    ASSERT_NE(file, nullptr) << action.name;
    EXPECT_GT(Mp3Samples(theme + *file), 4000u) << *file << " holds no speech";
  }
  for (const char* page : {"help_main_file.html", "plug_in_editor.html", "common_actions.html"})
    EXPECT_TRUE(Exists(kProgram + "system\\help\\" + page)) << page;
  EXPECT_TRUE(Exists(kProgram + "system\\Zavotra Home Page.url"));
}

// A plain application window, as a user has open.
class AppWindow {
 public:
  AppWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZavotraDistributionTarget";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "A document", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 420,
                              420, nullptr, nullptr, wc.hInstance, nullptr);
    PumpMessages();
  }
  ~AppWindow() { DestroyWindow(window_); }
  AppWindow(const AppWindow&) = delete;
  AppWindow& operator=(const AppWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// The symbol drawn with the right button over the window's client area: its
// path taken every 40 units, walked in steps of 10 pixels or less.
void Draw(const DefaultSymbol& symbol, HWND over) {
  POINT origin = {80, 60};
  ClientToScreen(over, &origin);
  auto at = [&](const Point& p) { return POINT{origin.x + p.x * 5 / 4, origin.y + p.y * 5 / 4}; };
  std::vector<POINT> path;
  for (const Point& p : symbol.path)
    if (path.empty() || std::hypot(at(p).x - path.back().x, at(p).y - path.back().y) >= 50) path.push_back(at(p));
  path.push_back(at(symbol.path.back()));
  // The pointer goes there first: Wine reports the display's own pointer
  // position when a window appears under it (the ink trail), which would
  // otherwise be a jump in the stroke.
  SetCursorPos(path.front().x, path.front().y);
  PumpMessagesFor(200);
  InjectMouseAndPump(MOUSEEVENTF_RIGHTDOWN, path.front());
  for (size_t i = 1; i < path.size(); ++i)
    for (int step = 1; step <= 5; ++step)
      InjectMouseAndPump(0, POINT{path[i - 1].x + (path[i].x - path[i - 1].x) * step / 5,
                                  path[i - 1].y + (path[i].y - path[i - 1].y) * step / 5});
  InjectMouseAndPump(MOUSEEVENTF_RIGHTUP, path.back());
}

// The program laid out from the distribution's "program" folder and run on a
// thread of this process, so that its sound player can be asked what it
// played; the registry values it reads and writes are put back afterwards.
class InstalledProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowA("ZavotraClass", nullptr), nullptr) << "another Zavotra is running";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "zdist_" + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    ASSERT_TRUE(CopyDirectoryTree(kProgram.substr(0, kProgram.size() - 1), root_, nullptr));
    ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kProductKey, "AppFolder", root_);
  }
  void TearDown() override {
    if (HWND main = mainWindow()) SendMessageA(main, WM_DESTROY, 0, 0);
    if (program_.joinable()) program_.join();
    DeleteDirectoryTree(root_);
  }
  void start() {
    program_ = std::thread([this] { exitCode_ = RunZavotra(GetModuleHandleA(nullptr)); });
  }
  static HWND mainWindow() {
    HWND w = FindWindowA("ZavotraClass", nullptr);
    DWORD owner = 0;
    if (w) GetWindowThreadProcessId(w, &owner);
    return owner == GetCurrentProcessId() ? w : nullptr;
  }
  std::string profile() const { return root_ + "users\\" + ZTestInstallation::UserName() + "\\00\\"; }
  std::string themeFile(int event) const {
    ZIdTextTable events;
    events.read((root_ + "sounds\\English Female Voice\\events").c_str());
    const std::string* file = events.find(static_cast<uint32_t>(event));
    return file ? root_ + "sounds\\English Female Voice\\" + *file : std::string();
  }

  std::string root_;
  std::thread program_;
  int exitCode_ = -1;
  ZRegistryValueGuard userFolder_{HKEY_CURRENT_USER, kProductKey, "AppFolder"};
  ZRegistryValueGuard machineFolder_{HKEY_LOCAL_MACHINE, kProductKey, "AppFolder"};
  ZRegistryValueGuard run_{HKEY_CURRENT_USER, kRunKey, "Zavotra"};
  ZRegistryValueGuard appPath_{HKEY_LOCAL_MACHINE, kAppPathsKey, ""};
};

TEST_F(InstalledProgram, ANewUsersMaximizeSymbolMaximizesTheWindowUnderItAndTheThemeSaysSo) {
  const DefaultAction* maximize = FindDefaultAction("Maximize");
  ASSERT_NE(maximize, nullptr);
  const uint64_t spoken = Mp3Samples(themeFile(maximize->event));
  const uint64_t welcome = Mp3Samples(themeFile(0));
  const uint64_t notRecognised = Mp3Samples(themeFile(48));
  // The clips must differ in length for the count to tell which one played.
  ASSERT_GT(spoken, 0u);
  ASSERT_GT(welcome > spoken ? welcome - spoken : spoken - welcome, 2304u);
  ASSERT_GT(notRecognised > spoken ? notRecognised - spoken : spoken - notRecognised, 2304u);

  start();
  ASSERT_TRUE(WaitPumpingFor([&] { return mainWindow() != nullptr; }, kPatience));
  // A first start saves the new profile at once.
  ASSERT_TRUE(WaitPumpingFor([&] { return Exists(profile() + "name"); }, kPatience));
  EXPECT_EQ(FileText(profile() + "name"), "Default");
  EXPECT_EQ(FileText(profile() + "plug-ins\\common.ztc"), FileText(kProgram + "skel\\plug-ins\\common.ztc"));
  // The start sound of the theme first.
  ASSERT_TRUE(Mp3Player().waitUntilDone(kPatience));
  EXPECT_EQ(Mp3Player().lastDecodedSamples(), welcome);

  AppWindow window;
  SetForegroundWindow(window.get());
  ASSERT_TRUE(WaitPumpingFor([&] { return GetForegroundWindow() == window.get(); }, kPatience));
  ASSERT_FALSE(IsZoomed(window.get()));
  Draw(*FindDefaultSymbol(maximize->symbol), window.get());
  EXPECT_TRUE(WaitPumpingFor([&] { return IsZoomed(window.get()) != FALSE; }, kPatience));
  ASSERT_TRUE(Mp3Player().waitUntilDone(kPatience));
  EXPECT_EQ(Mp3Player().lastDecodedSamples(), spoken) << "not the theme's \"Maximize\" (" << spoken << "); \"not recognized\" has " << notRecognised;
}
}  // namespace
