// The staged Zavotra.exe as a real process against the reference web
// service: command 40098 (Ctrl+Alt+U) runs the forced exchange, command
// 40036 opens the plug-in download wizard.
#include "web_test_support.h"  // first: Winsock before windows.h

#include <gtest/gtest.h>

#include "resources/zavotra_ids.h"
#include "tests/shell/staged_program.h"

namespace {

const char kWebList[] = "21\t1\t0\t0\t0\t0\t0\tNews\thttp://news.example/\tq\tFORM 2\r\n";

// Waits for a state that the program brings about; false when it never came.
template <typename Condition>
bool Eventually(Condition condition) {
  for (DWORD waited = 0; waited < kStagedProgramPatience; waited += 20, Sleep(20))
    if (condition()) return true;
  return condition();
}

class ProgramWeb : public ZStagedProgramTest {
 protected:
  void SetUp() override {
    ZStagedProgramTest::SetUp();
    ASSERT_GT(Service().port(), 0) << "no web service: the web_server fixture did not run";
    installHookLibrary();
    writeProfile("FirstTime\tfalse\r\nStartHidden\ttrue\r\n");
    ZRegistryValueGuard::Set(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zavotra\\Pro", "WebServer", Service().address());
    Service().clearCatalogue();
    Service().put("weblist", kWebList);
  }
  ZRegistryValueGuard serverValue{HKEY_LOCAL_MACHINE, "SOFTWARE\\Zavotra\\Pro", "WebServer"};
};

}  // namespace

TEST_F(ProgramWeb, TheExchangeCommandReportsAndReplacesTheList) {
  const size_t before = Service().requests().size();
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND window = nullptr;
  ASSERT_TRUE(Eventually([&] { return (window = MainWindowOf(program.id())) != nullptr; }));
  PostMessageA(window, WM_COMMAND, IDM_EXCHANGE_NOW, 0);
  ASSERT_TRUE(Eventually([&] { return Service().requests().size() > before; }));
  EXPECT_NE(Service().requests().back().find(" weblist=0"), std::string::npos);  // forced
  const std::string list = install.root() + "system\\weblist";
  EXPECT_TRUE(Eventually([&] { return ReadServiceList(list) == kWebList; }));
  SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(program.waitForExit(), 0);
}

TEST_F(ProgramWeb, TheDownloadCommandOpensTheWizard) {
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND window = nullptr;
  ASSERT_TRUE(Eventually([&] { return (window = MainWindowOf(program.id())) != nullptr; }));
  PostMessageA(window, WM_COMMAND, IDM_DOWNLOAD_PLUGINS, 0);
  HWND wizard = nullptr;
  ASSERT_TRUE(Eventually([&] {
    wizard = FindWindowA("#32770", "Plug-in Download Wizard");
    DWORD owner = 0;
    if (wizard) GetWindowThreadProcessId(wizard, &owner);
    return wizard && owner == program.id();
  }));
  PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(wizard); }));
  SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(program.waitForExit(), 0);
}
