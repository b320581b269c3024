// The service editor and the password manager under Wine, driven by control
// ids from a second thread: what their lists offer, when OK is allowed, the
// symbol from the library menu, live editing of the first pair, Delete, and
// "ids" on disk after closing.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "actions/credential_table.h"
#include "actions/service_list.h"
#include "actions/web_service.h"
#include "actions/web_service_hooks.h"
#include "common/default_key.h"
#include "common/id_text_table.h"
#include "gesture/symbol_file.h"
#include "gesture/symbol_library.h"
#include "resources/zavotra_ids.h"
#include "tests/support/menu_driving.h"
#include "tests/support/modal_answerers.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/ui_test_support.h"
#include "tests/ui/view_fixtures.h"
#include "ui/dialog_context.h"
#include "ui/password_manager.h"
#include "ui/service_editor.h"

namespace {

using Names = std::vector<std::string>;

// A loaded machine may take long over a test program's first window; the
// dialog's appearance is not what is tested.
constexpr DWORD kAppearMs = 60000;

const ZKeyBlock kServiceKey = DefaultKey().withUsedLength(ZKeyBlock::kServiceLength);

struct ListItem {
  std::string text;
  LRESULT data;
  bool operator==(const ListItem& other) const { return text == other.text && data == other.data; }
};

std::vector<ListItem> ListItems(HWND dialog, int id) {
  std::vector<ListItem> items;
  const LRESULT count = SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};
    SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back({text, SendDlgItemMessageA(dialog, id, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)});
  }
  return items;
}

Names Texts(const std::vector<ListItem>& items) {
  Names names;
  for (const ListItem& item : items) names.push_back(item.text);
  return names;
}

// Selects the list line with this text and tells the dialog.
void ChooseText(HWND dialog, int id, const std::string& text) {
  const LRESULT index = SendDlgItemMessageA(dialog, id, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(text.c_str()));
  ASSERT_NE(index, LB_ERR) << text;
  ChooseItem(dialog, id, index, true);
}

void WriteTable(const std::string& path, const std::vector<std::pair<uint32_t, std::string>>& entries) {
  ZIdTextTable table;
  for (const auto& [id, text] : entries) table.entries()[id] = text;
  ASSERT_TRUE(table.writeEncrypted(path.c_str(), kServiceKey));
}

class ServiceDialogsTest : public testing::Test {
 protected:
  void SetUp() override {
    DialogContext().systemFolder = system_.slashed();
    Credentials().clear();
    WebServices().clear();
  }
  void TearDown() override {
    DialogContext() = ZDialogContext();
    WebServiceHooks() = ZWebServiceHooks();
    Credentials().clear();
    WebServices().clear();
  }

  TempFolder system_;
};

// --- service editor --------------------------------------------------------

void CloseOpenMenus() {
  for (int i = 0; i < 100; ++i) {
    ZMenu* menu = FindOpenMenu();
    if (!menu) return;
    PostMessageA(menu->window(), WM_COMMAND, IDCANCEL, 0);
    Sleep(50);
  }
}

// Types 1 "Search", 2 "Mail", 3 "Maps" (no service); countries 10 "France",
// 20 "Germany", 30 "Italy". Fields: id, i0 (type) .. i5, t0, t1, t2, t3.
const char kServices[] =
    "100\t2\t0\t0\t0\t20\t0\tPost DE\tPost DE\thttp://mail.example/\t\n"
    "101\t1\t0\t0\t0\t10\t0\tCherche\tCherche\thttp://search.example/fr\t\n"
    "102\t1\t0\t0\t0\t20\t0\tSuche\tSuche\thttp://search.example/de\t\n"
    "103\t1\t0\t0\t0\t20\t0\tFinder\tFinder\thttp://finder.example/\t\n"
    "104\t2\t0\t0\t0\t10\t0\tCourrier\tCourrier\thttp://mail.example/fr\t\n"
    "105\t1\t0\t0\t0\t30\t0\tCerca\tCerca\thttp://search.example/it\t\n";

class ServiceEditorTest : public ServiceDialogsTest {
 protected:
  void SetUp() override {
    ServiceDialogsTest::SetUp();
    WriteTable(system_.file("srvcnms"), {{3, "Maps"}, {2, "Mail"}, {1, "Search"}});
    WriteTable(system_.file("country"), {{30, "Italy"}, {10, "France"}, {20, "Germany"}});
  }
  void useServices() { WebServices().parse(kServices, sizeof kServices - 1); }
};

TEST_F(ServiceEditorTest, ListsOfferTypesAndCountriesOnceAndWebSitesOfBoth) {
  useServices();
  ZWebService action;
  action.setSymbol(std::make_unique<Symbol>(SquareSymbol(5)));
  bool okBeforeSite = true, okAfterSite = false;
  std::vector<ListItem> types, countries, searchCountries, sites;
  std::thread user([&] {
    HWND dialog = WaitForDialog("Service editor", IDC_SERVICE_TYPE, kAppearMs);
    if (!dialog) return;
    types = ListItems(dialog, IDC_SERVICE_TYPE);
    countries = ListItems(dialog, IDC_SERVICE_COUNTRY);
    ChooseText(dialog, IDC_SERVICE_TYPE, "Search");
    searchCountries = ListItems(dialog, IDC_SERVICE_COUNTRY);
    ChooseText(dialog, IDC_SERVICE_COUNTRY, "Germany");
    sites = ListItems(dialog, IDC_SERVICE_WEBSITE);
    okBeforeSite = ItemEnabled(dialog, IDOK);
    ChooseText(dialog, IDC_SERVICE_WEBSITE, "Finder");
    okAfterSite = ItemEnabled(dialog, IDOK);
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(RunServiceEditor(nullptr, action));
  user.join();
  EXPECT_EQ(types, (std::vector<ListItem>{{"Search", 1}, {"Mail", 2}}));
  EXPECT_EQ(countries, (std::vector<ListItem>{{"France", 10}, {"Germany", 20}, {"Italy", 30}}));
  EXPECT_EQ(Texts(searchCountries), (Names{"France", "Germany", "Italy"}));
  EXPECT_EQ(sites, (std::vector<ListItem>{{"Suche", 102}, {"Finder", 103}}));
  EXPECT_FALSE(okBeforeSite);
  EXPECT_TRUE(okAfterSite);
  EXPECT_EQ(action.serviceId(), 103);
}

TEST_F(ServiceEditorTest, ChangingTheTypeKeepsTheCountryWhenItOffersTheNewTypeToo) {
  useServices();
  ZWebService action;
  std::vector<ListItem> mailSites, searchSites;
  std::string countryAfterMaps;
  std::thread user([&] {
    HWND dialog = WaitForDialog("Service editor", IDC_SERVICE_TYPE, kAppearMs);
    if (!dialog) return;
    ChooseText(dialog, IDC_SERVICE_TYPE, "Mail");
    ChooseText(dialog, IDC_SERVICE_COUNTRY, "France");
    mailSites = ListItems(dialog, IDC_SERVICE_WEBSITE);
    ChooseText(dialog, IDC_SERVICE_TYPE, "Search");  // France has search too
    searchSites = ListItems(dialog, IDC_SERVICE_WEBSITE);
    ChooseText(dialog, IDC_SERVICE_COUNTRY, "Italy");
    ChooseText(dialog, IDC_SERVICE_TYPE, "Mail");  // but no mail in Italy
    const LRESULT selected = SendDlgItemMessageA(dialog, IDC_SERVICE_COUNTRY, LB_GETCURSEL, 0, 0);
    countryAfterMaps = selected == LB_ERR ? "<none>" : "selected";
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(RunServiceEditor(nullptr, action));
  user.join();
  EXPECT_EQ(mailSites, (std::vector<ListItem>{{"Courrier", 104}}));
  EXPECT_EQ(searchSites, (std::vector<ListItem>{{"Cherche", 101}}));
  EXPECT_EQ(countryAfterMaps, "<none>");
}

TEST_F(ServiceEditorTest, WithoutAServiceListNothingIsOfferedAndOkStaysDisabled) {
  ZWebService action;
  action.setSymbol(std::make_unique<Symbol>(SquareSymbol(5)));
  size_t types = 1, countries = 1;
  bool ok = true;
  std::thread user([&] {
    HWND dialog = WaitForDialog("Service editor", IDC_SERVICE_TYPE, kAppearMs);
    if (!dialog) return;
    types = ListItems(dialog, IDC_SERVICE_TYPE).size();
    countries = ListItems(dialog, IDC_SERVICE_COUNTRY).size();
    ok = ItemEnabled(dialog, IDOK);
    Click(dialog, IDOK);  // refused while disabled
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(RunServiceEditor(nullptr, action));
  user.join();
  EXPECT_EQ(types, 0u);
  EXPECT_EQ(countries, 0u);
  EXPECT_FALSE(ok);
}

TEST_F(ServiceEditorTest, ASiteChosenBeforeASymbolWaitsForTheSymbolFromTheLibraryMenu) {
  useServices();
  TempFolder symbols;
  Symbol circle = PictureSymbol(77, [](int x, int y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) < 100; });
  circle.setName("Circle");
  SaveSymbolFile(circle, symbols.file("circle.zts"), DefaultKey());
  SymbolLibrary().loadUserSymbols(symbols.path(), DefaultKey());
  ASSERT_EQ(SymbolLibrary().userSymbols().size(), 1u);

  ZWebService action;
  bool okWithoutSymbol = true, okWithSymbol = false, pictureShown = false;
  std::thread user([&] {
    HWND dialog = WaitForDialog("Service editor", IDC_SERVICE_TYPE, kAppearMs);
    if (!dialog) return;
    ChooseText(dialog, IDC_SERVICE_TYPE, "Mail");
    ChooseText(dialog, IDC_SERVICE_COUNTRY, "Germany");
    ChooseText(dialog, IDC_SERVICE_WEBSITE, "Post DE");
    okWithoutSymbol = ItemEnabled(dialog, IDOK);
    {
      // Onto "My Symbols", into it, and choose "Circle". Posted: the menu
      // is modal in the dialog's thread.
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SERVICE_SYMBOL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SERVICE_SYMBOL)));
      ZMenuDriver menu({"My Symbols", "Circle"});
      EXPECT_NE(menu.find("Circle"), nullptr);
      EXPECT_TRUE(menu.followed());
    }
    WaitFor([&] { return ItemEnabled(dialog, IDOK); });
    CloseOpenMenus();  // a key the menu missed must not leave it open for ever
    okWithSymbol = ItemEnabled(dialog, IDOK);
    pictureShown = SendDlgItemMessageA(dialog, IDC_SERVICE_SYMBOL, BM_GETIMAGE, IMAGE_ICON, 0) != 0;
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(RunServiceEditor(nullptr, action));
  user.join();
  EXPECT_FALSE(okWithoutSymbol);
  EXPECT_TRUE(okWithSymbol);
  EXPECT_TRUE(pictureShown);
  ASSERT_NE(action.symbol(), nullptr);
  EXPECT_EQ(action.symbol()->identifier(), 77u);
  EXPECT_EQ(action.serviceId(), 100);
  SymbolLibrary().loadUserSymbols(symbols.file("none"), DefaultKey());
}

// --- password manager ------------------------------------------------------

class PasswordManagerTest : public ServiceDialogsTest {
 protected:
  void SetUp() override {
    ServiceDialogsTest::SetUp();
    WriteTable(system_.file("lgngrps"), {{30, "Mail"}, {31, "Bank"}, {32, "Bank"}});
    const std::string ids = "30\t2\tfirst\tone\tsecond\ttwo\n31\t1\tbanker\tmoney\n32\t1\tother\tbank\n40\t1\tx\ty\n";
    Credentials().parse(ids.data(), ids.size());
    WebServiceHooks().saveCredentials = [this] {
      ++saves;
      return Credentials().write(idsPath.c_str(), key);
    };
  }

  CredentialTable OnDisk() const {
    CredentialTable table;
    table.read(idsPath.c_str(), key);
    return table;
  }

  TempFolder profile;
  std::string idsPath = profile.file("ids");
  ZKeyBlock key = DefaultKey().withUsedLength(ZKeyBlock::kProfileLength);
  int saves = 0;
};

TEST_F(PasswordManagerTest, ListsEveryKeyByItsGroupNameSorted) {
  std::vector<ListItem> lines;
  bool editsBeforeSelection = true;
  std::string login, password;
  std::thread user([&] {
    HWND dialog = WaitForDialog("Password Manager", IDC_PASSWORDS_WEBSITES, kAppearMs);
    if (!dialog) return;
    lines = ListItems(dialog, IDC_PASSWORDS_WEBSITES);
    editsBeforeSelection = ItemEnabled(dialog, IDC_PASSWORDS_LOGIN) || ItemEnabled(dialog, IDC_PASSWORDS_PASSWORD) ||
                           ItemEnabled(dialog, IDC_PASSWORDS_DELETE);
    ChooseText(dialog, IDC_PASSWORDS_WEBSITES, "Mail");
    login = ItemText(dialog, IDC_PASSWORDS_LOGIN);
    password = ItemText(dialog, IDC_PASSWORDS_PASSWORD);
    Click(dialog, IDC_PASSWORDS_CLOSE);
  });
  RunPasswordManager(nullptr);
  user.join();
  ASSERT_EQ(lines.size(), 4u);
  // A key without a group name has an empty line; two keys of one name two lines.
  EXPECT_EQ(Texts(lines), (Names{"", "Bank", "Bank", "Mail"}));
  EXPECT_EQ(lines[0].data, 40);
  EXPECT_EQ(lines[3].data, 30);
  EXPECT_FALSE(editsBeforeSelection);
  EXPECT_EQ(login, "first");  // the first pair only
  EXPECT_EQ(password, "one");
  EXPECT_EQ(saves, 1);
}

TEST_F(PasswordManagerTest, TypingChangesTheFirstPairAtOnceAndEscapeKeepsIt) {
  std::string storedWhileOpen;
  std::thread user([&] {
    HWND dialog = WaitForDialog("Password Manager", IDC_PASSWORDS_WEBSITES, kAppearMs);
    if (!dialog) return;
    ChooseText(dialog, IDC_PASSWORDS_WEBSITES, "Mail");
    SetItemText(dialog, IDC_PASSWORDS_LOGIN, "renamed");
    SetItemText(dialog, IDC_PASSWORDS_PASSWORD, "new secret");
    storedWhileOpen = Credentials().find(30)->front().login;
    Click(dialog, IDCANCEL);  // what Escape sends
  });
  RunPasswordManager(nullptr);
  user.join();
  EXPECT_EQ(storedWhileOpen, "renamed");
  const CredentialTable disk = OnDisk();
  ASSERT_NE(disk.find(30), nullptr);
  ASSERT_EQ(disk.find(30)->size(), 2u);
  EXPECT_EQ(disk.find(30)->at(0).login, "renamed");
  EXPECT_EQ(disk.find(30)->at(0).password, "new secret");
  EXPECT_EQ(disk.find(30)->at(1).login, "second");
}

TEST_F(PasswordManagerTest, DeletingAKeyAndClosingRemovesItFromIds) {
  Credentials().write(idsPath.c_str(), key);
  ASSERT_NE(OnDisk().find(31), nullptr);
  size_t linesAfter = 0;
  bool editsAfter = true;
  std::string loginAfter = "?";
  std::thread user([&] {
    HWND dialog = WaitForDialog("Password Manager", IDC_PASSWORDS_WEBSITES, kAppearMs);
    if (!dialog) return;
    // The first "Bank" line, whichever key it carries.
    ChooseText(dialog, IDC_PASSWORDS_WEBSITES, "Bank");
    Click(dialog, IDC_PASSWORDS_DELETE);
    linesAfter = ListItems(dialog, IDC_PASSWORDS_WEBSITES).size();
    editsAfter = ItemEnabled(dialog, IDC_PASSWORDS_LOGIN) || ItemEnabled(dialog, IDC_PASSWORDS_DELETE);
    loginAfter = ItemText(dialog, IDC_PASSWORDS_LOGIN);
    Click(dialog, IDC_PASSWORDS_CLOSE);
  });
  RunPasswordManager(nullptr);
  user.join();
  EXPECT_EQ(linesAfter, 3u);
  EXPECT_FALSE(editsAfter);
  EXPECT_EQ(loginAfter, "");
  const CredentialTable disk = OnDisk();
  EXPECT_EQ(disk.entries().size(), 3u);
  EXPECT_TRUE((disk.find(31) == nullptr) != (disk.find(32) == nullptr));  // one of the two Bank keys
  EXPECT_NE(disk.find(30), nullptr);
  EXPECT_NE(disk.find(40), nullptr);
}

}  // namespace
