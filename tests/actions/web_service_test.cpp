// Web-service actions under Wine: the "ids" file through the cipher, an
// unknown service, a browser that cannot be created, and the login dialog
// that a missing or incomplete credential entry brings up, driven by
// control ids from a second thread.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "actions/browser_session.h"
#include "actions/credential_table.h"
#include "actions/service_list.h"
#include "actions/web_service.h"
#include "actions/web_service_hooks.h"
#include "resources/zavotra_ids.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/freed_memory_watch.h"
#include "tests/support/temp_folder.h"
#include "tests/symbols/test_keys.h"

bool operator==(const CredentialPair& a, const CredentialPair& b) {
  return a.login == b.login && a.password == b.password;
}

namespace {

constexpr char kLoginCaption[] = "Zavotra Online Service";

// Service 5 needs no login; 6 and 7 need one each, under keys 30 and 31;
// 8 needs two under key 32.
const char kServices[] =
    "5\t0\t0\t0\t0\t0\t0\tSearch\tSearch\thttp://127.0.0.1:9/\tforms[0].elements[q].value = %SELECTION%;\n"
    "6\t0\t0\t1\t0\t0\t30\tMail\tPost\thttp://127.0.0.1:9/\telements[u].value = %LOGIN0%;\n"
    "7\t0\t0\t1\t0\t0\t31\tBank\tBanque\thttp://127.0.0.1:9/\telements[u].value = %LOGIN0%;\n"
    "8\t0\t0\t1\t0\t0\t32\tShop\tShop\thttp://127.0.0.1:9/\ta = %LOGIN0%; b = %LOGIN1%;\n";

class WebServiceTest : public testing::Test {
 protected:
  void SetUp() override {
    WebServices().parse(kServices, sizeof kServices - 1);
    Credentials().clear();
    ZWebServiceHooks& hooks = WebServiceHooks();
    hooks.countServiceUse = [this](int32_t id) { counted.push_back(id); };
    hooks.saveCredentials = [this] { return ++saves > 0; };
    hooks.savePlugin = nullptr;
    hooks.soundsFolder = nullptr;
  }
  void TearDown() override {
    WebServiceHooks() = ZWebServiceHooks();
    WebServices().clear();
    Credentials().clear();
  }

  std::vector<int32_t> counted;
  int saves = 0;
};

TEST_F(WebServiceTest, IdsGoThroughTheCipherAndNoFreedBufferKeepsAPassword) {
  TempFolder folder;
  const std::string path = folder.file("ids");
  const std::string secret = "a password nobody may find";
  const CredentialPair first{"first login", secret};
  const CredentialPair second{"second", "pw"};
  CredentialTable table;
  table.replace(31, first);
  table.replace(4, second);
  const ZKeyBlock key = ProtectedProfileKey();
  CredentialTable readBack;
  int leaks = 0;
  {
    ZFreedMemoryWatch watch(secret);
    ASSERT_TRUE(table.write(path.c_str(), key));
    ASSERT_TRUE(readBack.read(path.c_str(), key));
    leaks = watch.leaks();
  }
  EXPECT_EQ(leaks, 0);
  EXPECT_EQ(readBack.entries(), table.entries());
  const std::string onDisk = TempFolder::Read(path);
  EXPECT_EQ(onDisk.find(secret), std::string::npos);
  EXPECT_EQ(onDisk.find("first login"), std::string::npos);

  // Another key does not give the pairs back; an empty table leaves no file.
  readBack.read(path.c_str(), ProtectedProfileKey(0x11));
  EXPECT_NE(readBack.entries(), table.entries());
  CredentialTable empty;
  EXPECT_TRUE(empty.write(path.c_str(), key));
  EXPECT_EQ(TempFolder::Read(path), "<missing>");
  EXPECT_FALSE(readBack.read(path.c_str(), key));
}

TEST_F(WebServiceTest, AnUnknownServiceRunsNothingAndReportsSuccess) {
  ZWebService action;
  action.setServiceId(99);
  EXPECT_FALSE(action.needsLogin());
  EXPECT_TRUE(action.run(nullptr, false));
  EXPECT_EQ(counted, std::vector<int32_t>{99});
  EXPECT_EQ(saves, 0);
}

TEST_F(WebServiceTest, WithoutABrowserTheServiceFailsCleanly) {
  // The test environment has no browser engine: creating the browser fails.
  EXPECT_EQ(ZBrowserSession::create(), nullptr);
  EXPECT_FALSE(RunService(*WebServices().find(5), u"words"));
  ZWebService action;
  action.setServiceId(5);
  EXPECT_TRUE(action.execute(nullptr));  // connected; what the page did does not count
  EXPECT_EQ(counted, std::vector<int32_t>{5});
}

TEST_F(WebServiceTest, TheScriptRunsOnlyWithWhatItNeeds) {
  const ServiceDefinition& search = *WebServices().find(5);
  const ServiceDefinition& mail = *WebServices().find(6);
  EXPECT_FALSE(ServiceMayRunScript(search, u""));
  EXPECT_TRUE(ServiceMayRunScript(search, u"x"));
  EXPECT_FALSE(ServiceMayRunScript(mail, u""));
  Credentials().replace(30, {"me", "pw"});
  EXPECT_TRUE(ServiceMayRunScript(mail, u""));
}

// What a second thread found in the login dialog and did there.
struct LoginSeen {
  bool appeared = false;
  int32_t selectedService = 0;
  std::string login, password;
  bool okBeforeTyping = false;
};

// Answers the login dialog: notes what it shows, optionally picks another
// service, types the pair and presses OK (or Cancel when `login` is null).
std::thread AnswerLogin(LoginSeen& seen, const char* login, const char* password, int chooseIndex = -1) {
  return std::thread([&seen, login, password, chooseIndex] {
    HWND dialog = WaitForDialog(kLoginCaption, IDC_LOGIN_SERVICES, 60000);
    if (!dialog) return;
    seen.appeared = true;
    HWND combo = GetDlgItem(dialog, IDC_LOGIN_SERVICES);
    const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    seen.selectedService = static_cast<int32_t>(SendMessageA(combo, CB_GETITEMDATA, index, 0));
    if (chooseIndex >= 0) ChooseItem(dialog, IDC_LOGIN_SERVICES, chooseIndex);
    seen.login = ItemText(dialog, IDC_LOGIN_NAME);
    seen.password = ItemText(dialog, IDC_LOGIN_PASSWORD);
    if (!login) {
      Click(dialog, IDCANCEL);
      return;
    }
    SetItemText(dialog, IDC_LOGIN_NAME, "");
    SetItemText(dialog, IDC_LOGIN_PASSWORD, "");
    seen.okBeforeTyping = ItemEnabled(dialog, IDOK);
    SetItemText(dialog, IDC_LOGIN_NAME, login);
    SetItemText(dialog, IDC_LOGIN_PASSWORD, password);
    Click(dialog, IDOK);
  });
}

TEST_F(WebServiceTest, TheLoginDialogAppearsWhenTheEntryIsMissingHasTheWrongCountOrAnEmptyLogin) {
  struct Case {
    const char* name;
    std::string ids;  // the credential table's text
    int32_t service;
    uint32_t key;
  };
  const Case cases[] = {
      {"missing", "", 6, 30},
      {"missing, others stored", "31\t1\tbank\tpw\n", 6, 30},
      {"two pairs for one login", "30\t2\ta\tb\tc\td\n", 6, 30},
      {"no pair", "30\t0\n", 6, 30},
      {"empty login", "30\t1\t\tpw\n", 6, 30},
      {"one pair for two logins", "32\t1\ta\tb\n", 8, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Credentials().parse(c.ids.data(), c.ids.size());
    saves = 0;
    ZWebService action;
    action.setServiceId(c.service);
    ASSERT_TRUE(action.needsLogin());
    LoginSeen seen;
    std::thread answer = AnswerLogin(seen, "typed", "secret");
    const bool accepted = action.askForLogin(nullptr);
    answer.join();
    EXPECT_TRUE(seen.appeared);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(seen.selectedService, c.service);
    EXPECT_FALSE(seen.okBeforeTyping);
    const CredentialTable::Pairs* pairs = Credentials().find(c.key);
    ASSERT_NE(pairs, nullptr);
    EXPECT_EQ(*pairs, (CredentialTable::Pairs{{"typed", "secret"}}));
    EXPECT_EQ(saves, 1);
  }
}

TEST_F(WebServiceTest, CompleteCredentialsAskForNothing) {
  Credentials().replace(30, {"me", "pw"});
  ZWebService action;
  action.setServiceId(6);
  EXPECT_FALSE(action.needsLogin());
  action.setServiceId(5);  // no login at all
  EXPECT_FALSE(action.needsLogin());
}

TEST_F(WebServiceTest, TheDialogShowsTheStoredPairAndAnotherServiceMayBeChosen) {
  const std::string ids = "30\t1\t\tmailpw\n31\t1\tbank user\tbank pw\n";
  Credentials().parse(ids.data(), ids.size());
  ZWebService action;
  action.setServiceId(6);
  LoginSeen seen;
  // The list holds the services with logins in list order: Post, Banque, Shop.
  std::thread answer = AnswerLogin(seen, "new bank user", "new pw", 1);
  EXPECT_TRUE(action.askForLogin(nullptr));
  answer.join();
  EXPECT_EQ(seen.login, "bank user");  // the chosen service's first pair
  EXPECT_EQ(seen.password, "bank pw");
  EXPECT_EQ(action.serviceId(), 7);
  EXPECT_EQ(*Credentials().find(31), (CredentialTable::Pairs{{"new bank user", "new pw"}}));
  EXPECT_EQ(Credentials().find(30)->front().password, "mailpw");  // untouched
}

TEST_F(WebServiceTest, CancellingTheLoginRunsNothing) {
  ZWebService action;
  action.setServiceId(6);
  HWND progress = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  LoginSeen seen;
  std::thread answer = AnswerLogin(seen, nullptr, nullptr);
  EXPECT_FALSE(action.run(progress, true));
  answer.join();
  EXPECT_TRUE(seen.appeared);
  EXPECT_FALSE(IsWindow(progress));
  EXPECT_TRUE(counted.empty());
  EXPECT_EQ(Credentials().find(30), nullptr);
  EXPECT_EQ(saves, 0);
}

}  // namespace
