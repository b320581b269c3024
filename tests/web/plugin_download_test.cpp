// The plug-in download wizard under Wine against the reference web service,
// driven through its real windows from a second thread: the choice, the
// question, the download of the wanted plug-ins only, the installation into
// a protected profile, the overwrite question, and a service that is down.
#include "web_test_support.h"  // first: Winsock before windows.h

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <thread>

#include "actions/macro.h"
#include "common/file_cipher.h"
#include "common/password_key.h"
#include "plugins/plugin.h"
#include "resources/zavotra_ids.h"
#include "shell/web_commands.h"
#include "tests/symbols/symbol_samples.h"
#include "web/plugin_catalogue.h"

namespace {

constexpr DWORD kWait = 20000;  // ms: the longest any window may take to come or go
constexpr int kMessageText = 0xFFFF;  // the text of a message box

// English 1, French 2; companies 10 and 20.
const char kCatalogue[] =
    "201\t1\t10\tNotepad\r\n"
    "202\t1\t10\tCalculator\r\n"
    "203\t1\t20\tPaint\r\n"
    "204\t2\t10\tNotepad\r\n";

struct Catalogued {
  int32_t id;
  const char* name;
  const char* key;
  const char* company;
};
const Catalogued kPlugins[] = {{201, "Notepad", "Notepad", "Microsoft"},
                               {202, "Calculator", "SciCalc", "Microsoft"},
                               {203, "Paint", "MSPaintApp", "Other"},
                               {204, "Bloc-notes", "Notepad", "Microsoft"}};

std::string PluginBytes(const Catalogued& entry, const std::string& folder) {
  ZPlugin plugin;
  plugin.setId(entry.id);
  plugin.setName(entry.name);
  plugin.setKey(entry.key);
  plugin.setCompany(entry.company);
  plugin.setLanguage(entry.id == 204 ? 2 : 1);
  plugin.setCreator(entry.id == 202 ? "" : "A. Creator");
  plugin.setCaption(entry.name);
  auto action = std::make_unique<ZMacro>();
  action->setName("Save");
  action->setSymbol(std::make_unique<Symbol>(SampleSymbol()));
  plugin.addAction(std::move(action));
  const std::string path = folder + DownloadedPluginName(entry.id);
  plugin.saveAs(path, DefaultKey());
  return TempFolder::Read(path);
}

std::string WindowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::vector<std::string> Items(HWND control, UINT count, UINT length, UINT get) {
  std::vector<std::string> items;
  const LRESULT n = SendMessageA(control, count, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(control, length, i, 0)) + 1, '\0');
    SendMessageA(control, get, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(text.size() - 1);
    items.push_back(text);
  }
  return items;
}
std::vector<std::string> ComboItems(HWND combo) { return Items(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT); }
std::vector<std::string> ListItems(HWND list) { return Items(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

// What the progress dialog showed, seen on the user-interface thread itself
// (a window that comes and goes in a moment escapes a second thread's look).
struct ProgressRecord {
  int shown = 0;
  std::vector<std::string> statuses;
  // The last page whose initialisation ended, by the control that marks it.
  std::atomic<HWND> selectionPage{nullptr};
  std::atomic<HWND> installationPage{nullptr};
};
ProgressRecord* gProgress = nullptr;

LRESULT CALLBACK WatchProgress(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && gProgress) {
    if (call->message == WM_INITDIALOG && GetDlgItem(call->hwnd, IDC_DOWNLOAD_STATUS)) ++gProgress->shown;
    if (call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == IDC_DOWNLOAD_STATUS && call->lParam)
      gProgress->statuses.push_back(reinterpret_cast<const char*>(call->lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WatchPages(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && gProgress && call->message == WM_INITDIALOG) {
    if (GetDlgItem(call->hwnd, IDC_SELECTION_LANGUAGE)) gProgress->selectionPage = call->hwnd;
    if (GetDlgItem(call->hwnd, IDC_INSTALLATION_LIST)) gProgress->installationPage = call->hwnd;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Works the wizard from another thread as a user would, through posted
// clicks and selections; records what it sees. A step that does not come
// true in time records a failure and gives the wizard up.
class WizardDriver {
 public:
  explicit WizardDriver(DWORD uiThread) : thread_(uiThread) {}

  HWND wizard() { return waitFor("the wizard", [] { return FindWindowA("#32770", "Plug-in Download Wizard"); }); }
  // The page shown, once it is the one with control `marker` and its
  // initialisation is over (a selection made earlier would be undone by it).
  HWND page(int marker) {
    return waitFor("the page with control " + std::to_string(marker), [&]() -> HWND {
      HWND shown = FindWindowExA(FindWindowA("#32770", "Plug-in Download Wizard"), nullptr, "#32770", nullptr);
      const std::atomic<HWND>& ready =
          marker == IDC_SELECTION_LANGUAGE ? gProgress->selectionPage : gProgress->installationPage;
      return shown && GetDlgItem(shown, marker) && ready.load() == shown ? shown : nullptr;
    });
  }
  void press(HWND dialog, int id) {
    if (dialog) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  void choose(HWND page, int comboId, const std::string& text) {
    HWND combo = GetDlgItem(page, comboId);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) return fail("no item \"" + text + "\"");
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
  void select(HWND page, const std::string& text) {
    HWND list = GetDlgItem(page, IDC_INSTALLATION_LIST);
    const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) return fail("no plug-in \"" + text + "\" listed");
    SendMessageA(list, LB_SETCURSEL, index, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_INSTALLATION_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
  // Waits for a message box, answers it with `button`, returns its text.
  std::string answer(int button) {
    HWND box = waitFor("a message box", [&] { return find(kMessageText); });
    const std::string text = box ? WindowText(GetDlgItem(box, kMessageText)) : std::string();
    press(box, button);
    waitGone(box);
    messages.push_back(text);
    return text;
  }
  bool messageBoxShown() { return find(kMessageText) != nullptr; }

  void fail(const std::string& why) {
    if (failure.empty()) failure = why;
  }
  // After a failure: every box answered, the wizard cancelled.
  void giveUp() {
    for (int i = 0; i < 50 && FindWindowA("#32770", "Plug-in Download Wizard"); ++i) {
      if (HWND box = find(kMessageText)) press(box, IDNO), press(box, IDOK);
      else if (!find(IDC_DOWNLOAD_STATUS)) press(FindWindowA("#32770", "Plug-in Download Wizard"), IDCANCEL);
      Sleep(200);
    }
  }

  std::string failure;
  std::vector<std::string> messages;

 private:
  struct Search {
    int id;
    HWND found;
  };
  static BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto* s = reinterpret_cast<Search*>(parameter);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && strcmp(name, "#32770") == 0 && GetDlgItem(window, s->id)) {
      s->found = window;
      return FALSE;
    }
    return TRUE;
  }
  // A visible dialog of the user-interface thread with control `id`.
  HWND find(int id) {
    Search search{id, nullptr};
    EnumThreadWindows(thread_, &WizardDriver::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND waitFor(const std::string& what, const std::function<HWND()>& probe) {
    if (!failure.empty()) return nullptr;
    for (DWORD waited = 0; waited < kWait; waited += 20) {
      if (HWND found = probe()) return found;
      Sleep(20);
    }
    fail("waited in vain for " + what + describe());
    return nullptr;
  }
  // What the wizard shows, for a failure's message.
  std::string describe() {
    HWND wizardWindow = FindWindowA("#32770", "Plug-in Download Wizard");
    if (!wizardWindow) return " (no wizard)";
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(wizardWindow, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result)) return " (the wizard is busy)";
    HWND shown = FindWindowExA(wizardWindow, nullptr, "#32770", nullptr);
    if (!shown) return " (no page)";
    return " (shown: " + WindowText(shown) + ", count " + WindowText(GetDlgItem(shown, IDC_SELECTION_COUNT)) +
           ", box " + (find(kMessageText) ? "yes" : "no") + ")";
  }
  bool waitGone(HWND window) {
    for (DWORD waited = 0; waited < kWait; waited += 20) {
      if (!IsWindow(window)) return true;
      Sleep(20);
    }
    fail("a window did not go: " + WindowText(window));
    return false;
  }

  DWORD thread_;
};

class PluginDownload : public WebTest {
 protected:
  void SetUp() override {
    WebTest::SetUp();
    ASSERT_TRUE(WriteServiceList(system("plgndscr"), kCatalogue));
    ASSERT_TRUE(WriteServiceList(system("languages"), "1\tEnglish\n2\tFrench\n3\tJapanese\n"));
    ASSERT_TRUE(WriteServiceList(system("firms"), "10\tMicrosoft\n20\tOther\n"));
    for (const auto& entry : kPlugins) bytes_[entry.id] = PluginBytes(entry, Service().catalogue());
  }
  // Runs the wizard with `script` working it; true when the script got through.
  bool run(const std::function<void(WizardDriver&)>& script) {
    WizardDriver driver(GetCurrentThreadId());
    progress_.shown = 0;
    progress_.statuses.clear();
    progress_.selectionPage = nullptr;
    progress_.installationPage = nullptr;
    gProgress = &progress_;
    HHOOK watch = SetWindowsHookExA(WH_CALLWNDPROC, &WatchProgress, nullptr, GetCurrentThreadId());
    HHOOK pages = SetWindowsHookExA(WH_CALLWNDPROCRET, &WatchPages, nullptr, GetCurrentThreadId());
    std::thread worker([&] {
      script(driver);
      if (!driver.failure.empty()) driver.giveUp();
    });
    OpenPluginDownload(nullptr);
    worker.join();
    UnhookWindowsHookEx(pages);
    UnhookWindowsHookEx(watch);
    gProgress = nullptr;
    messages_ = driver.messages;
    EXPECT_EQ(driver.failure, "");
    return driver.failure.empty();
  }
  void putDownloaded(int32_t id) { TempFolder::Write(Folders().downloads + DownloadedPluginName(id), bytes_[id]); }
  std::string downloaded(int32_t id) const { return TempFolder::Read(Folders().downloads + DownloadedPluginName(id)); }
  std::string installed(int32_t id) const { return TempFolder::Read(Folders().profilePlugins + DownloadedPluginName(id)); }
  void protectProfile() {
    ASSERT_TRUE(Profiles().changePassword(DeriveKey("secret")));
    PluginManager().reloadCatalogue(Folders().profilePlugins);
  }
  std::vector<std::string> catalogueNames() const {
    std::vector<std::string> names;
    for (const auto& entry : PluginManager().catalogue()) names.push_back(entry->name());
    std::sort(names.begin(), names.end());
    return names;
  }
  size_t requestCount() const { return Service().requests().size(); }

  std::map<int32_t, std::string> bytes_;
  std::vector<std::string> messages_;
  ProgressRecord progress_;
};

}  // namespace

TEST_F(PluginDownload, DownloadsTheWantedAndInstallsIntoAProtectedProfileEncrypted) {
  protectProfile();
  putDownloaded(203);
  const size_t requestsBefore = requestCount();
  std::vector<std::string> languages, companies, applications, listed, details;
  std::string count;
  run([&](WizardDriver& d) {
    HWND first = d.page(IDC_SELECTION_LANGUAGE);
    if (!first) return;
    languages = ComboItems(GetDlgItem(first, IDC_SELECTION_LANGUAGE));
    companies = ComboItems(GetDlgItem(first, IDC_SELECTION_COMPANY));
    applications = ComboItems(GetDlgItem(first, IDC_SELECTION_APPLICATION));
    count = WindowText(GetDlgItem(first, IDC_SELECTION_COUNT));
    d.press(d.wizard(), IDC_WIZARD_NEXT);
    d.answer(IDYES);
    HWND second = d.page(IDC_INSTALLATION_LIST);
    if (!second) return;
    listed = ListItems(GetDlgItem(second, IDC_INSTALLATION_LIST));
    d.select(second, "Notepad");
    for (int id : {IDC_INSTALLATION_NAME, IDC_INSTALLATION_COMPANY, IDC_INSTALLATION_LANGUAGE, IDC_INSTALLATION_CREATOR})
      details.push_back(WindowText(GetDlgItem(second, id)));
    details.push_back(std::to_string(ListView_GetItemCount(GetDlgItem(second, IDC_INSTALLATION_ACTIONS))));
    d.press(second, IDC_INSTALLATION_INSTALL);
    d.answer(IDOK);  // the notice
    d.press(d.wizard(), IDC_WIZARD_FINISH);
  });

  EXPECT_EQ(languages, (std::vector<std::string>{"English", "French"}));  // the languages in use
  EXPECT_EQ(companies, (std::vector<std::string>{"", "Microsoft", "Other"}));
  EXPECT_EQ(applications, (std::vector<std::string>{"", "Calculator", "Notepad", "Paint"}));
  EXPECT_EQ(count, "3");
  ASSERT_GE(messages_.size(), 2u);
  EXPECT_EQ(messages_[0], "Out of the 3 plug-ins selected, 2 need to be downloaded.\n\nDo you wish to proceed ?");
  EXPECT_EQ(messages_[1], "The plug-in for Notepad has been installed.");
  EXPECT_EQ(progress_.shown, 1);
  EXPECT_EQ(progress_.statuses,
            (std::vector<std::string>{"Connecting to the Zavotra server...", "Receiving files...", "Extracting files..."}));
  // One request, for the two that were not there.
  ASSERT_EQ(requestCount(), requestsBefore + 1);
  // In the order of the application list: Calculator, then Notepad.
  EXPECT_NE(Service().requests().back().find(" listidplugin=202,201"), std::string::npos) << Service().requests().back();
  EXPECT_EQ(listed, (std::vector<std::string>{"Calculator", "Notepad", "Paint"}));
  EXPECT_EQ(details, (std::vector<std::string>{"Notepad", "Microsoft", "English", "A. Creator", "1"}));
  // The download folder keeps them plain; nothing else is left there.
  EXPECT_TRUE(downloaded(201) == bytes_[201]);
  EXPECT_TRUE(downloaded(202) == bytes_[202]);
  EXPECT_TRUE(downloaded(203) == bytes_[203]);
  TempFolder helper;
  EXPECT_EQ(helper.fileNames(Folders().downloads.substr(0, Folders().downloads.size() - 1)),
            (std::vector<std::string>{"wps000201.zta", "wps000202.zta", "wps000203.zta"}));
  EXPECT_FALSE(FileExists(Folders().downloads + "plugins"));
  // The installed copy is encrypted with the profile's key and read as such.
  const std::string copy = installed(201);
  ASSERT_FALSE(copy.empty());
  EXPECT_TRUE(copy != bytes_[201]);
  std::string plain;
  ASSERT_TRUE(ReadEncryptedFile(Folders().profilePlugins + "wps000201.zta", ProfileKey(), plain));
  EXPECT_TRUE(plain == bytes_[201]);
  EXPECT_EQ(catalogueNames(), std::vector<std::string>{"Notepad"});
}

TEST_F(PluginDownload, WithEverySelectedPluginPresentNextGoesStraightOn) {
  for (int32_t id : {201, 202, 203}) putDownloaded(id);
  const size_t requestsBefore = requestCount();
  bool askedOrDownloaded = true;
  std::vector<std::string> listed;
  run([&](WizardDriver& d) {
    HWND first = d.page(IDC_SELECTION_LANGUAGE);
    d.choose(first, IDC_SELECTION_COMPANY, "Microsoft");
    d.choose(first, IDC_SELECTION_APPLICATION, "Notepad");
    if (WindowText(GetDlgItem(first, IDC_SELECTION_COUNT)) != "1") d.fail("Notepad of Microsoft is not one plug-in");
    d.press(d.wizard(), IDC_WIZARD_NEXT);
    HWND second = d.page(IDC_INSTALLATION_LIST);
    askedOrDownloaded = d.messageBoxShown();
    if (second) listed = ListItems(GetDlgItem(second, IDC_INSTALLATION_LIST));
    d.press(d.wizard(), IDC_WIZARD_FINISH);
  });
  EXPECT_FALSE(askedOrDownloaded);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(progress_.shown, 0);
  EXPECT_EQ(requestCount(), requestsBefore);
  EXPECT_EQ(listed, std::vector<std::string>{"Notepad"});
}

TEST_F(PluginDownload, AnExistingPluginForTheApplicationIsReplacedOnlyOnYes) {
  // Two installed plug-ins serve Notepad: one question each.
  for (const char* file : {"wpu000000.zta", "wpu000001.zta"}) {
    ZPlugin mine;
    mine.setName("My Notepad");
    mine.setKey("NOTEPAD");
    mine.saveAs(Folders().profilePlugins + file, ProfileKey());
  }
  PluginManager().reloadCatalogue(Folders().profilePlugins);
  putDownloaded(201);
  TempFolder helper;
  const std::string folder = Folders().profilePlugins.substr(0, Folders().profilePlugins.size() - 1);
  const std::vector<std::string> before = helper.fileNames(folder);
  std::vector<std::string> afterNo;
  run([&](WizardDriver& d) {
    HWND first = d.page(IDC_SELECTION_LANGUAGE);
    d.choose(first, IDC_SELECTION_APPLICATION, "Notepad");
    d.press(d.wizard(), IDC_WIZARD_NEXT);
    HWND second = d.page(IDC_INSTALLATION_LIST);
    d.select(second, "Notepad");
    d.press(second, IDC_INSTALLATION_INSTALL);
    d.answer(IDNO);
    afterNo = helper.fileNames(folder);
    d.press(second, IDC_INSTALLATION_INSTALL);
    d.answer(IDYES);
    d.answer(IDYES);
    d.answer(IDOK);
    d.press(d.wizard(), IDC_WIZARD_FINISH);
  });
  const std::string question = "A plug-in for this application is already installed.\n\nDo you want to overwrite it ?";
  EXPECT_EQ(messages_, (std::vector<std::string>{question, question, question,
                                                 "The plug-in for Notepad has been installed."}));
  EXPECT_EQ(afterNo, before);
  std::vector<std::string> expected = before;
  expected.erase(std::remove(expected.begin(), expected.end(), "wpu000000.zta"), expected.end());
  expected.erase(std::remove(expected.begin(), expected.end(), "wpu000001.zta"), expected.end());
  expected.push_back("wps000201.zta");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(helper.fileNames(folder), expected);
  EXPECT_TRUE(installed(201) == bytes_[201]);  // a profile without password keeps it plain
  EXPECT_EQ(catalogueNames(), std::vector<std::string>{"Notepad"});
}

TEST_F(PluginDownload, WithTheServiceDownNothingIsDownloadedAndNothingLost) {
  putDownloaded(203);
  pointAt("127.0.0.1:" + std::to_string(ClosedPort()));
  std::vector<std::string> listed;
  run([&](WizardDriver& d) {
    d.page(IDC_SELECTION_LANGUAGE);
    d.press(d.wizard(), IDC_WIZARD_NEXT);
    d.answer(IDYES);
    HWND second = d.page(IDC_INSTALLATION_LIST);
    if (second) listed = ListItems(GetDlgItem(second, IDC_INSTALLATION_LIST));
    d.press(d.wizard(), IDCANCEL);
  });
  EXPECT_EQ(progress_.shown, 1);
  EXPECT_EQ(listed, std::vector<std::string>{"Paint"});
  EXPECT_TRUE(downloaded(203) == bytes_[203]);
  EXPECT_FALSE(FileExists(Folders().downloads + "plugins.zip"));
}
