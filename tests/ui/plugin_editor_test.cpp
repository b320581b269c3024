// Dialog 279 driven like a user: the target dragged with the mouse over
// another program's child control records its top-level window; OK waits for
// a capture; the empty language is -1 and is written as the empty name; the
// saved plug-in is in the catalogue at once and chosen for that window.
#include "ui/plugin_editor.h"

#include <gtest/gtest.h>

#include "common/app_context.h"
#include "common/default_key.h"
#include "common/id_text_table.h"
#include "common/storage.h"
#include "plugins/plugin.h"
#include "plugins/plugin_folder.h"
#include "plugins/plugin_manager.h"
#include "resources/zavotra_ids.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/ui_test_support.h"
#include "ui/dialog_context.h"

namespace {
const char kTargetClass[] = "ZvEditorTarget";
const char kTargetCaption[] = "Target Application - report.txt";

COLORREF PixelAt(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// A window of this process posing as the program's main window.
class FakeMainWindow {
 public:
  FakeMainWindow() {
    window_ = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Zavotra", WS_POPUP | WS_VISIBLE | WS_BORDER, 420, 360, 200, 120,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetMainWindow(window_);
  }
  ~FakeMainWindow() {
    SetMainWindow(nullptr);
    DestroyWindow(window_);
  }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

class PluginEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCurrentPluginsFolder(plugins.slashed());
    PluginManager().reloadCatalogue(plugins.slashed());
    DialogContext().systemFolder = system.slashed();
    const ZKeyBlock serviceKey = DefaultKey().withUsedLength(ZKeyBlock::kServiceLength);
    ZIdTextTable firms;
    firms.entries() = {{4, "Acme Software"}, {9, "Initech"}};
    ASSERT_TRUE(firms.writeEncrypted(system.file("firms").c_str(), serviceKey));
    ZIdTextTable languages;
    languages.entries() = {{1, "English"}, {3, "German"}};
    ASSERT_TRUE(languages.writeEncrypted(system.file("languages").c_str(), serviceKey));
  }
  void TearDown() override {
    SetCurrentPluginsFolder(std::string());
    PluginManager().reloadCatalogue(std::string());
  }

  TempFolder plugins;
  TempFolder system;
};
}  // namespace

TEST_F(PluginEditorTest, PointingAtAChildControlRecordsItsTopLevelWindowAndTheNewPlugInIsUsedAtOnce) {
  ZTargetApplication target(kTargetClass, kTargetCaption, 80, 360);
  ASSERT_NE(target.child(), nullptr);
  FakeMainWindow main;
  // A gesture over the application before it has a plug-in: detected, nothing found.
  const POINT inChild = CentreOf(target.child());
  PluginManager().detectApplicationAt(inChild, false, false);
  ASSERT_EQ(PluginManager().lastDetectedWindow(), target.window());
  ASSERT_EQ(PluginManager().plugin(ZPluginManager::kApplication), nullptr);

  struct Seen {
    bool okBeforeCapture = true, targetHiddenWhileHeld = false, framedWhileHeld = false, frameGoneAfter = false;
    bool okAfterCapture = false, okWithoutLanguage = true;
    std::string captionOverMain = "unset", captionWhileHeld, firstCompany, languages;
  } seen;
  std::thread user([&] {
    HWND dialog = WaitForDialog("Plug-In Editor", IDC_PLUGIN_TARGET);
    if (!dialog) return;
    SetItemText(dialog, IDC_PLUGIN_NAME, "Report Writer");
    SetItemText(dialog, IDC_PLUGIN_CAPTION, "typed by hand");
    ChooseItem(dialog, IDC_PLUGIN_COMPANY, 1);
    ChooseItem(dialog, IDC_PLUGIN_LANGUAGE, 0);  // the empty item
    seen.okBeforeCapture = ItemEnabled(dialog, IDOK);
    char company[64] = {};
    SendDlgItemMessageA(dialog, IDC_PLUGIN_COMPANY, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(company));
    seen.firstCompany = company;
    seen.languages = std::to_string(SendDlgItemMessageA(dialog, IDC_PLUGIN_LANGUAGE, CB_GETCOUNT, 0, 0));

    RECT frame;
    GetWindowRect(target.window(), &frame);
    const POINT onFrame{frame.left + 2, frame.top + 40};
    const COLORREF before = PixelAt(onFrame);
    POINT at = CentreOf(GetDlgItem(dialog, IDC_PLUGIN_TARGET));
    MouseTo(at);
    MouseTo(at, MOUSEEVENTF_LEFTDOWN);
    MouseWalk(at, CentreOf(main.get()));
    Sleep(200);
    seen.captionOverMain = ItemText(dialog, IDC_PLUGIN_CAPTION);
    MouseWalk(CentreOf(main.get()), inChild);
    WaitFor([&] { return ItemText(dialog, IDC_PLUGIN_CAPTION) == kTargetCaption; });
    seen.captionWhileHeld = ItemText(dialog, IDC_PLUGIN_CAPTION);
    seen.targetHiddenWhileHeld = !IsWindowVisible(GetDlgItem(dialog, IDC_PLUGIN_TARGET));
    seen.framedWhileHeld = PixelAt(onFrame) != before;
    MouseTo(inChild, MOUSEEVENTF_LEFTUP);
    WaitFor([&] { return IsWindowVisible(GetDlgItem(dialog, IDC_PLUGIN_TARGET)) != FALSE; });
    seen.frameGoneAfter = PixelAt(onFrame) == before;
    seen.okAfterCapture = ItemEnabled(dialog, IDOK);
    SendDlgItemMessageA(dialog, IDC_PLUGIN_LANGUAGE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLUGIN_LANGUAGE, CBN_SELCHANGE), 0);
    seen.okWithoutLanguage = ItemEnabled(dialog, IDOK);
    ChooseItem(dialog, IDC_PLUGIN_LANGUAGE, 0);
    SetItemText(dialog, IDC_PLUGIN_COMMENTS, "line one\r\nline two");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  const bool saved = OpenPluginEditor(main.get());
  user.join();

  EXPECT_FALSE(seen.okBeforeCapture);
  EXPECT_EQ(seen.firstCompany, "Acme Software");
  EXPECT_EQ(seen.languages, "3");  // the empty item and the two of the file
  EXPECT_EQ(seen.captionOverMain, "typed by hand");
  EXPECT_EQ(seen.captionWhileHeld, kTargetCaption);
  EXPECT_TRUE(seen.targetHiddenWhileHeld);
  EXPECT_TRUE(seen.framedWhileHeld);
  EXPECT_TRUE(seen.frameGoneAfter);
  EXPECT_TRUE(seen.okAfterCapture);
  EXPECT_FALSE(seen.okWithoutLanguage);
  ASSERT_TRUE(saved);
  EXPECT_EQ(ModalDialogCount(), 0);

  const std::string file = plugins.file("wpu000000.zta");
  ZPlugin written;
  ASSERT_NO_THROW(written.readHeader(file, DefaultKey()));
  EXPECT_EQ(written.name(), "Report Writer");
  EXPECT_EQ(written.key(), kTargetClass);
  EXPECT_EQ(written.caption(), kTargetCaption);
  EXPECT_EQ(written.company(), "Initech");
  EXPECT_EQ(written.language(), -1);
  EXPECT_EQ(written.comments(), "line one\r\nline two");
  StoragePtr root = OpenStorageFile(file);
  EXPECT_EQ(ReadText(root.Get(), L"Language"), "");

  ASSERT_EQ(PluginManager().catalogue().size(), 1u);
  // The same window as the last detection: its new plug-in is found all the same.
  PluginManager().detectApplicationAt(inChild, false, false);
  ASSERT_NE(PluginManager().plugin(ZPluginManager::kApplication), nullptr);
  EXPECT_EQ(PluginManager().plugin(ZPluginManager::kApplication)->name(), "Report Writer");
  PluginManager().setApplicationPlugin(nullptr);
}

TEST_F(PluginEditorTest, WithoutACaptureOkStaysOffWhateverIsTypedAndCancelSavesNothing) {
  bool okEver = false;
  std::thread user([&] {
    HWND dialog = WaitForDialog("Plug-In Editor", IDC_PLUGIN_TARGET);
    if (!dialog) return;
    SetItemText(dialog, IDC_PLUGIN_NAME, "Name");
    SetItemText(dialog, IDC_PLUGIN_COMPANY, "Typed Company");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLUGIN_COMPANY, CBN_EDITCHANGE), 0);
    ChooseItem(dialog, IDC_PLUGIN_LANGUAGE, 2);
    SetItemText(dialog, IDC_PLUGIN_CAPTION, "A caption");
    okEver = ItemEnabled(dialog, IDOK);
    // OK pressed anyway (Enter in a field) does nothing.
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    okEver = okEver || !IsWindow(dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(OpenPluginEditor(nullptr));
  user.join();
  EXPECT_FALSE(okEver);
  EXPECT_FALSE(TempFolder::Exists(plugins.file("wpu000000.zta")));
  EXPECT_TRUE(PluginManager().catalogue().empty());
}

TEST_F(PluginEditorTest, MissingServiceTablesLeaveOnlyTheEmptyLanguage) {
  DeleteFileA(system.file("firms").c_str());
  DeleteFileA(system.file("languages").c_str());
  LRESULT companies = -1, languages = -1;
  std::thread user([&] {
    HWND dialog = WaitForDialog("Plug-In Editor", IDC_PLUGIN_TARGET);
    if (!dialog) return;
    companies = SendDlgItemMessageA(dialog, IDC_PLUGIN_COMPANY, CB_GETCOUNT, 0, 0);
    languages = SendDlgItemMessageA(dialog, IDC_PLUGIN_LANGUAGE, CB_GETCOUNT, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(OpenPluginEditor(nullptr));
  user.join();
  EXPECT_EQ(companies, 0);
  EXPECT_EQ(languages, 1);
}
