// The action wizard under Wine on its real dialogs: a script of steps runs
// on the wizard's own thread from a timer and works the buttons, the tree
// and the pages' controls by their ids, as the user's clicks would.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "actions/command_hotkey.h"
#include "actions/command_internet.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"
#include "actions/date_time_text.h"
#include "actions/key_table.h"
#include "common/app_context.h"
#include "resources/zavotra_ids.h"
#include "tests/ui/view_fixtures.h"
#include "ui/action_wizard.h"

namespace {
using Texts = std::vector<std::string>;

class ScriptedActionWizard : public ActionWizard {
 public:
  using Step = std::function<void(ScriptedActionWizard&)>;
  explicit ScriptedActionWizard(ZMacro& macro) : ActionWizard(nullptr, macro) {}

  void onInit(HWND window) override {
    ActionWizard::onInit(window);
    SetTimer(window, 1, 10, nullptr);
  }
  INT_PTR handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER && wParam == 1) {
      if (at_ < steps.size()) steps[at_++](*this);
      else cancel();  // the script ran out: leave whatever the wizard says
      return TRUE;
    }
    return ActionWizard::handleMessage(window, message, wParam, lParam);
  }

  void click(int button) {
    SendMessageA(window(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window(), button)));
  }
  HWND page() const { return currentPage() ? currentPage()->window() : nullptr; }
  int shown() const { return currentPage() ? currentPage()->pageId() : 0; }
  bool finishEnabled() const { return IsWindowEnabled(GetDlgItem(window(), IDC_WIZARD_FINISH)) != FALSE; }
  // A radio button or check box of the page clicked.
  void choose(int id) {
    CheckDlgButton(page(), id, BST_CHECKED);
    SendMessageA(page(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page(), id)));
  }
  void type(int id, const char* text) { SetDlgItemTextA(page(), id, text); }
  void select(HTREEITEM item) { TreeView_SelectItem(tree(), item); }
  HTREEITEM root(int index) const {
    HTREEITEM item = TreeView_GetRoot(tree());
    while (item && index-- > 0) item = TreeView_GetNextSibling(tree(), item);
    return item;
  }
  HTREEITEM commandItem(size_t index) const {
    const auto items = commandItems();
    return index < items.size() ? items[index] : nullptr;
  }
  std::string label(HTREEITEM item) const {
    char text[256] = "";
    TVITEMA entry = {};
    entry.mask = TVIF_TEXT;
    entry.hItem = item;
    entry.pszText = text;
    entry.cchTextMax = sizeof text;
    SendMessageA(tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
    return text;
  }
  Texts labels() const {
    Texts out;
    for (HTREEITEM item : commandItems()) out.push_back(label(item));
    return out;
  }
  // The picture of the wizard as it is on the screen, as a BMP file, when
  // ZAVOTRA_WIZARD_SHOTS names a folder (for people looking at the pages).
  void shoot(const char* name) const;

  std::vector<Step> steps;

 private:
  size_t at_ = 0;
};

void ScriptedActionWizard::shoot(const char* name) const {
  char folder[MAX_PATH] = "";
  if (!GetEnvironmentVariableA("ZAVOTRA_WIZARD_SHOTS", folder, sizeof folder)) return;
  RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r;
  GetWindowRect(window(), &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
  BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + size), 0, 0,
                           static_cast<DWORD>(sizeof file + sizeof info.bmiHeader)};
  const std::string path = std::string(folder) + "\\" + name + ".bmp";
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
  WriteFile(out, bits, size, &written, nullptr);
  CloseHandle(out);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

std::unique_ptr<ZCommand> Text(const std::string& text) {
  auto command = std::make_unique<ZCommandText>();
  command->setText(text);
  return command;
}

std::unique_ptr<ZCommand> Keys(uint8_t first, int repeat) {
  auto command = std::make_unique<ZCommandHotkey>();
  command->setKey(0, first);
  command->setRepeat(repeat);
  return command;
}

Texts TextsOf(const ZMacro& macro) {
  Texts out;
  for (const ZCommand* command : macro) {
    const auto* text = dynamic_cast<const ZCommandText*>(command);
    out.push_back(text ? text->text() : command->typeName());
  }
  return out;
}

constexpr int kTextPage = IDD_ACTION_TEXT_PAGE;
constexpr int kCommandPage = IDD_ACTION_COMMAND_PAGE;
}  // namespace

static void FinishIsEnabledOnlyWithANameASymbolAndACommand() {
  struct Case {
    bool name, symbol, command, finish;
  };
  const Case cases[] = {{false, false, false, false}, {true, true, false, false}, {true, false, true, false},
                        {false, true, true, false},   {true, true, true, true}};
  for (const Case& c : cases) {
    ZMacro macro;
    if (c.name) macro.setName("Greeting");
    if (c.symbol) macro.setSymbol(std::make_unique<Symbol>(SquareSymbol(3)));
    if (c.command) macro.append(Text("hello"));
    ScriptedActionWizard wizard(macro);
    bool enabled = !c.finish;
    wizard.steps = {[&](ScriptedActionWizard& w) {
                      enabled = w.finishEnabled();
                      w.click(IDC_WIZARD_FINISH);  // refused while incomplete
                    },
                    [](ScriptedActionWizard& w) { w.cancel(); }};
    EXPECT_EQ(wizard.run(), c.finish ? Wizard::kFinished : Wizard::kCancelled)
        << c.name << c.symbol << c.command;
    EXPECT_EQ(enabled, c.finish) << c.name << c.symbol << c.command;
  }
}

static void ANewActionIsMadePageByPageAndFinishesOnceComplete() {
  ZMacro macro;
  ScriptedActionWizard wizard(macro);
  std::vector<bool> finish;
  int page = 0;
  wizard.steps = {
      [&](ScriptedActionWizard& w) {
        finish.push_back(w.finishEnabled());
        w.type(IDC_ACTION_NAME, "Greeting");  // typing tells the page
      },
      [&](ScriptedActionWizard& w) {
        finish.push_back(w.finishEnabled());
        w.setSymbol(SquareSymbol(7));
        finish.push_back(w.finishEnabled());
        w.click(IDC_WIZARD_NEXT);
      },
      [&](ScriptedActionWizard& w) {
        page = w.shown();
        w.click(IDC_WIZARD_NEXT);
      },
      [](ScriptedActionWizard& w) {
        w.choose(IDC_ACTION_CHOOSE_TEXT);
        w.click(IDC_WIZARD_NEXT);
      },
      [&](ScriptedActionWizard& w) {
        finish.push_back(w.finishEnabled());
        page = w.shown();
        w.type(IDC_ACTION_TEXT, "Kind regards");
        w.click(IDC_WIZARD_FINISH);
      },
  };
  ASSERT_EQ(wizard.run(), Wizard::kFinished);
  EXPECT_EQ(finish, (std::vector<bool>{false, false, false, true}));  // no command until the text page
  EXPECT_EQ(page, kTextPage);
  EXPECT_EQ(macro.name(), "Greeting");
  ASSERT_NE(macro.symbol(), nullptr);
  EXPECT_EQ(macro.symbol()->identifier(), 7u);
  EXPECT_EQ(TextsOf(macro), (Texts{"Kind regards"}));
}

static void BackOnANewCommandsPageRemovesItButNotAnExistingOne() {
  auto macro = NamedMacro("Keys");
  macro->append(Keys(13, 1));
  ScriptedActionWizard wizard(*macro);
  std::vector<Texts> labels;
  std::vector<int> pages;
  wizard.steps = {
      [](ScriptedActionWizard& w) { w.select(w.root(2)); },  // "Commands"
      [](ScriptedActionWizard& w) {
        w.choose(IDC_ACTION_CHOOSE_TEXT);
        w.click(IDC_WIZARD_NEXT);
      },
      [&](ScriptedActionWizard& w) {
        labels.push_back(w.labels());
        pages.push_back(w.shown());
        w.click(IDC_WIZARD_BACK);
      },
      [&](ScriptedActionWizard& w) {
        labels.push_back(w.labels());
        pages.push_back(w.shown());
        w.shoot("command_page");
        w.select(w.commandItem(0));  // the hotkey command the macro had
      },
      [&](ScriptedActionWizard& w) {
        pages.push_back(w.shown());
        w.click(IDC_WIZARD_BACK);
      },
      [&](ScriptedActionWizard& w) {
        labels.push_back(w.labels());
        pages.push_back(w.shown());
        w.click(IDC_WIZARD_FINISH);
      },
  };
  ASSERT_EQ(wizard.run(), Wizard::kFinished);
  EXPECT_EQ(labels, (std::vector<Texts>{{"Hotkey", "Text"}, {"Hotkey"}, {"Hotkey"}}));
  EXPECT_EQ(pages, (std::vector<int>{kTextPage, kCommandPage, IDD_ACTION_HOTKEY_PAGE, IDD_ACTION_APPLICATION_PAGE}));
  ASSERT_EQ(macro->size(), 1u);
  EXPECT_EQ(macro->front()->typeId(), kCommandHotkey);
}

static void UpAndDownReorderTheCommandsAndFinishKeepsTheTreesOrder() {
  struct Case {
    int item;
    int button;
    Texts order;
  };
  const Case cases[] = {{1, IDC_ACTION_UP, {"two", "one", "three"}},
                        {0, IDC_ACTION_DOWN, {"two", "one", "three"}},
                        {2, IDC_ACTION_DOWN, {"one", "two", "three"}},  // last: Down is disabled
                        {0, IDC_ACTION_UP, {"one", "two", "three"}}};
  for (const Case& c : cases) {
    auto macro = NamedMacro("Three");
    for (const char* text : {"one", "two", "three"}) macro->append(Text(text));
    ScriptedActionWizard wizard(*macro);
    wizard.steps = {
        [&](ScriptedActionWizard& w) { w.select(w.commandItem(static_cast<size_t>(c.item))); },
        [&](ScriptedActionWizard& w) { w.click(c.button); },
        [](ScriptedActionWizard& w) { w.click(IDC_WIZARD_FINISH); },
    };
    ASSERT_EQ(wizard.run(), Wizard::kFinished);
    EXPECT_EQ(TextsOf(*macro), c.order) << c.item << " " << c.button;
  }
}

static void AnEditedCommandMovedUpKeepsItsEditInItsNewPlace() {
  auto macro = NamedMacro("Two");
  macro->append(Text("one"));
  macro->append(Text("two"));
  ScriptedActionWizard wizard(*macro);
  bool upEnabled = false;
  wizard.steps = {
      [](ScriptedActionWizard& w) { w.select(w.commandItem(1)); },
      [&](ScriptedActionWizard& w) {
        upEnabled = IsWindowEnabled(GetDlgItem(w.window(), IDC_ACTION_UP)) != FALSE;
        w.type(IDC_ACTION_TEXT, "second, edited");
        w.click(IDC_ACTION_UP);
      },
      [](ScriptedActionWizard& w) {
        w.shoot("tree_two_commands");
        w.click(IDC_WIZARD_FINISH);
      },
  };
  ASSERT_EQ(wizard.run(), Wizard::kFinished);
  EXPECT_TRUE(upEnabled);
  EXPECT_EQ(TextsOf(*macro), (Texts{"second, edited", "one"}));
}

TEST(ActionWizard, CancelLeavesTheActionAsItWas) {
  auto macro = NamedMacro("Before");
  macro->setHotkey(0x0241);
  macro->append(Text("one"));
  macro->append(Keys(13, 2));
  const std::unique_ptr<ZAction> before = macro->clone();
  ScriptedActionWizard wizard(*macro);
  Texts labelsAfterDelete;
  wizard.steps = {
      [](ScriptedActionWizard& w) { w.type(IDC_ACTION_NAME, "After"); },
      [](ScriptedActionWizard& w) {
        w.setSymbol(SquareSymbol(99));
        w.select(w.commandItem(0));
      },
      [](ScriptedActionWizard& w) {
        w.type(IDC_ACTION_TEXT, "changed");
        w.select(w.commandItem(1));
      },
      [&](ScriptedActionWizard& w) {
        SendMessageA(w.tree(), WM_KEYDOWN, VK_DELETE, 0);  // the hotkey command goes
        labelsAfterDelete = w.labels();
        w.select(w.root(2));
      },
      [](ScriptedActionWizard& w) {
        w.choose(IDC_ACTION_CHOOSE_MISC);
        w.click(IDC_WIZARD_NEXT);
      },
      [](ScriptedActionWizard& w) { w.click(IDCANCEL); },
  };
  ASSERT_EQ(wizard.run(), Wizard::kCancelled);
  EXPECT_EQ(labelsAfterDelete, (Texts{"Text"}));
  EXPECT_TRUE(macro->equals(*before));
  EXPECT_EQ(TextsOf(*macro), (Texts{"one", "Hotkey"}));
  EXPECT_EQ(macro->name(), "Before");
  EXPECT_EQ(macro->hotkey(), 0x0241);
  ASSERT_NE(macro->symbol(), nullptr);
  EXPECT_EQ(macro->symbol()->identifier(), 1u);
}

static void NextWithoutAKindOfCommandChosenStays() {
  struct Case {
    int kind;        // chosen on the command page; 0 for none
    int choice;      // chosen on the page it leads to; 0 for none
    int stays;       // the page Next keeps
  };
  const Case cases[] = {{0, 0, kCommandPage},
                        {IDC_ACTION_CHOOSE_VANTEL, 0, kCommandPage},
                        {IDC_ACTION_CHOOSE_APPLICATION, 0, IDD_ACTION_APPLICATION_PAGE},
                        {IDC_ACTION_CHOOSE_SOUND, 0, IDD_ACTION_SOUND_PAGE}};
  for (const Case& c : cases) {
    auto macro = NamedMacro("Stay");
    ScriptedActionWizard wizard(*macro);
    int shown = 0;
    size_t commands = 99;
    wizard.steps = {
        [](ScriptedActionWizard& w) { w.select(w.root(2)); },
        [&](ScriptedActionWizard& w) {
          if (c.kind) w.choose(c.kind);
          w.click(IDC_WIZARD_NEXT);
        },
        [](ScriptedActionWizard& w) { w.click(IDC_WIZARD_NEXT); },
        [&](ScriptedActionWizard& w) {
          shown = w.shown();
          commands = w.commandItems().size();
          w.click(IDCANCEL);
        },
    };
    wizard.run();
    EXPECT_EQ(shown, c.stays) << c.kind;
    EXPECT_EQ(commands, 0u) << c.kind;
  }
}

static void TheHotkeyPageListsTheKeyTableFourTimesAndWritesKeysAndRepeat() {
  auto macro = NamedMacro("Keys");
  macro->append(Keys(0, 1));
  ScriptedActionWizard wizard(*macro);
  std::vector<LRESULT> counts;
  std::string first, last;
  wizard.steps = {
      [](ScriptedActionWizard& w) { w.select(w.commandItem(0)); },
      [&](ScriptedActionWizard& w) {
        w.shoot("hotkey_page");
        for (int id : {IDC_ACTION_KEY_1, IDC_ACTION_KEY_2, IDC_ACTION_KEY_3, IDC_ACTION_KEY_4})
          counts.push_back(SendDlgItemMessageA(w.page(), id, CB_GETCOUNT, 0, 0));
        char text[64] = "";
        SendDlgItemMessageA(w.page(), IDC_ACTION_KEY_4, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
        first = text;
        SendDlgItemMessageA(w.page(), IDC_ACTION_KEY_4, CB_GETLBTEXT, KeyTable::kSize - 1,
                            reinterpret_cast<LPARAM>(text));
        last = text;
        SendDlgItemMessageA(w.page(), IDC_ACTION_KEY_1, CB_SETCURSEL, 1, 0);
        SendDlgItemMessageA(w.page(), IDC_ACTION_KEY_2, CB_SETCURSEL, 70, 0);
        w.type(IDC_ACTION_REPEAT, "3 times");
        w.click(IDC_WIZARD_FINISH);
      },
  };
  ASSERT_EQ(wizard.run(), Wizard::kFinished);
  EXPECT_EQ(counts, (std::vector<LRESULT>(4, KeyTable::kSize)));
  EXPECT_EQ(first, KeyTable::name(1));
  EXPECT_EQ(last, KeyTable::name(KeyTable::kSize - 1));
  const auto* hotkey = dynamic_cast<const ZCommandHotkey*>(macro->front());
  ASSERT_NE(hotkey, nullptr);
  EXPECT_EQ(hotkey->repeat(), 3);
  EXPECT_EQ(hotkey->keys(), (ZCommandHotkey::Keys{1, 70, 0, 0}));
}

static void TheMiscellaneousPageRefillsTheParameterForEachFunction() {
  auto macro = NamedMacro("Misc");
  ScriptedActionWizard wizard(*macro);
  struct Seen {
    LRESULT count;
    bool visible;
    std::string first;
  };
  std::vector<Seen> seen;
  std::string today;
  const auto chooseFunction = [&](ScriptedActionWizard& w, int function) {
    SendDlgItemMessageA(w.page(), IDC_ACTION_FUNCTION, LB_SETCURSEL, function, 0);
    SendMessageA(w.page(), WM_COMMAND, MAKEWPARAM(IDC_ACTION_FUNCTION, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(w.page(), IDC_ACTION_FUNCTION)));
    HWND list = GetDlgItem(w.page(), IDC_ACTION_PARAMETER);
    char text[128] = "";
    SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    seen.push_back(Seen{SendMessageA(list, CB_GETCOUNT, 0, 0), IsWindowVisible(list) != FALSE, text});
  };
  wizard.steps = {
      [](ScriptedActionWizard& w) { w.select(w.root(2)); },
      [](ScriptedActionWizard& w) {
        w.choose(IDC_ACTION_CHOOSE_MISC);
        w.click(IDC_WIZARD_NEXT);
      },
      [&](ScriptedActionWizard& w) {
        chooseFunction(w, ZCommandSystem::kMaximize);
        chooseFunction(w, ZCommandSystem::kVerticalScroll);
        chooseFunction(w, ZCommandSystem::kPause);
        SYSTEMTIME now;
        GetLocalTime(&now);
        FormatDateText(0, now.wDay, now.wMonth, now.wYear, today);
        chooseFunction(w, ZCommandSystem::kInsertDate);
        chooseFunction(w, ZCommandSystem::kInsertTime);
        SendDlgItemMessageA(w.page(), IDC_ACTION_PARAMETER, CB_SETCURSEL, 4, 0);
        w.click(IDC_WIZARD_NEXT);  // back to the command page; the label names the function
      },
      [](ScriptedActionWizard& w) { w.click(IDC_WIZARD_FINISH); },
  };
  ASSERT_EQ(wizard.run(), Wizard::kFinished);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_FALSE(seen[0].visible);
  EXPECT_EQ(seen[0].count, 0);
  EXPECT_EQ(seen[1].count, 7);
  EXPECT_EQ(seen[2].count, 9);
  EXPECT_EQ(seen[2].first, "1");
  EXPECT_EQ(seen[3].count, kDateTextFormatCount);
  EXPECT_EQ(seen[3].first, today);
  EXPECT_EQ(seen[4].count, kTimeTextFormatCount);
  EXPECT_TRUE(seen[4].visible);
  const auto* system = dynamic_cast<const ZCommandSystem*>(macro->front());
  ASSERT_NE(system, nullptr);
  EXPECT_EQ(system->function(), ZCommandSystem::kInsertTime);
  EXPECT_EQ(system->parameter(), 4);
}

static void TheInternetPageWritesWhatIsChosenAndTheHomePageWithoutAChoice() {
  struct Case {
    int choice;
    int function;
    std::string target;
  };
  const Case cases[] = {{IDC_ACTION_WEBSITE, ZCommandInternet::kWebsite, "http://example.org/"},
                        {IDC_ACTION_EMAIL, ZCommandInternet::kEmail, "someone@example.org"},
                        {0, ZCommandInternet::kWebsite, "http://www.zavotra.com/"}};
  for (const Case& c : cases) {
    auto macro = NamedMacro("Web");
    ScriptedActionWizard wizard(*macro);
    wizard.steps = {
        [](ScriptedActionWizard& w) { w.select(w.root(2)); },
        [](ScriptedActionWizard& w) {
          w.choose(IDC_ACTION_CHOOSE_INTERNET);
          w.click(IDC_WIZARD_NEXT);
        },
        [&](ScriptedActionWizard& w) {
          w.type(IDC_ACTION_URL, "http://example.org/");
          w.type(IDC_ACTION_RECIPIENT, "someone@example.org");
          if (c.choice) w.choose(c.choice);
          w.click(IDC_WIZARD_FINISH);
        },
    };
    ASSERT_EQ(wizard.run(), Wizard::kFinished);
    const auto* internet = dynamic_cast<const ZCommandInternet*>(macro->front());
    ASSERT_NE(internet, nullptr);
    EXPECT_EQ(internet->function(), c.function) << c.choice;
    EXPECT_EQ(internet->target(), c.target) << c.choice;
  }
}

static void ASoundIsMadeThroughItsTypesPageAndTheOptionsAndTheDeleteKeyBeepsOnARoot() {
  auto macro = NamedMacro("Sound");
  ScriptedActionWizard wizard(*macro);
  std::vector<int> pages;
  size_t afterDeleteOnRoot = 0;
  wizard.steps = {
      [](ScriptedActionWizard& w) { w.select(w.root(2)); },
      [](ScriptedActionWizard& w) {
        w.choose(IDC_ACTION_CHOOSE_SOUND);
        w.click(IDC_WIZARD_NEXT);
      },
      [](ScriptedActionWizard& w) {
        w.choose(IDC_ACTION_LIBRARY_SOUND);
        w.click(IDC_WIZARD_NEXT);
      },
      [&](ScriptedActionWizard& w) {
        pages.push_back(w.shown());
        SendDlgItemMessageA(w.page(), IDC_ACTION_THEME_SOUND, LB_SETCURSEL, 5, 0);
        w.click(IDC_WIZARD_NEXT);
      },
      [&](ScriptedActionWizard& w) {
        pages.push_back(w.shown());
        w.choose(IDC_ACTION_LOOP);
        w.click(IDC_WIZARD_BACK);  // the options keep the sound
      },
      [&](ScriptedActionWizard& w) {
        pages.push_back(w.shown());
        w.select(w.root(0));
        SendMessageA(w.tree(), WM_KEYDOWN, VK_DELETE, 0);
        afterDeleteOnRoot = w.commandItems().size();
        w.click(IDC_WIZARD_FINISH);
      },
  };
  ASSERT_EQ(wizard.run(), Wizard::kFinished);
  EXPECT_EQ(pages, (std::vector<int>{IDD_ACTION_SOUND_THEME_PAGE, IDD_ACTION_SOUND_OPTIONS_PAGE,
                                     IDD_ACTION_SOUND_THEME_PAGE}));
  EXPECT_EQ(afterDeleteOnRoot, 1u);
  const auto* sound = dynamic_cast<const ZCommandSound*>(macro->front());
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->soundType(), ZCommandSound::kTheme);
  EXPECT_EQ(sound->index(), 5);
  EXPECT_TRUE(sound->loop());
  EXPECT_FALSE(sound->wait());
}

// Each Wine test process costs seconds to start: the checks above run in a
// few processes, each under its own name in the output.

TEST(ActionWizard, FinishNeedsANameASymbolAndACommand) {
  {
    SCOPED_TRACE("FinishIsEnabledOnlyWithANameASymbolAndACommand");
    FinishIsEnabledOnlyWithANameASymbolAndACommand();
  }
  {
    SCOPED_TRACE("ANewActionIsMadePageByPageAndFinishesOnceComplete");
    ANewActionIsMadePageByPageAndFinishesOnceComplete();
  }
}

TEST(ActionWizard, TheTreeBackAndNextShapeTheCommandList) {
  {
    SCOPED_TRACE("BackOnANewCommandsPageRemovesItButNotAnExistingOne");
    BackOnANewCommandsPageRemovesItButNotAnExistingOne();
  }
  {
    SCOPED_TRACE("NextWithoutAKindOfCommandChosenStays");
    NextWithoutAKindOfCommandChosenStays();
  }
  {
    SCOPED_TRACE("UpAndDownReorderTheCommandsAndFinishKeepsTheTreesOrder");
    UpAndDownReorderTheCommandsAndFinishKeepsTheTreesOrder();
  }
  {
    SCOPED_TRACE("AnEditedCommandMovedUpKeepsItsEditInItsNewPlace");
    AnEditedCommandMovedUpKeepsItsEditInItsNewPlace();
  }
}

TEST(ActionWizard, EachCommandPageWritesItsControls) {
  {
    SCOPED_TRACE("TheHotkeyPageListsTheKeyTableFourTimesAndWritesKeysAndRepeat");
    TheHotkeyPageListsTheKeyTableFourTimesAndWritesKeysAndRepeat();
  }
  {
    SCOPED_TRACE("TheMiscellaneousPageRefillsTheParameterForEachFunction");
    TheMiscellaneousPageRefillsTheParameterForEachFunction();
  }
  {
    SCOPED_TRACE("TheInternetPageWritesWhatIsChosenAndTheHomePageWithoutAChoice");
    TheInternetPageWritesWhatIsChosenAndTheHomePageWithoutAChoice();
  }
  {
    SCOPED_TRACE("ASoundIsMadeThroughItsTypesPageAndTheOptionsAndTheDeleteKeyBeepsOnARoot");
    ASoundIsMadeThroughItsTypesPageAndTheOptionsAndTheDeleteKeyBeepsOnARoot();
  }
}
