// The exchange with the reference web service under Wine: what the request
// reports, what the answer replaces, and what a broken answer or a service
// that is down leave alone.
#include "web_test_support.h"  // first: Winsock before windows.h

#include <gtest/gtest.h>

#include <cstring>

#include "common/settings.h"
#include "shell/web_commands.h"
#include "web/exchange_request.h"

namespace {

const char kWebList[] = "17\t1\t0\t0\t0\t0\t0\tSearch\thttp://search.example/\tq\tFORM 1\r\n";
const char kFirms[] = "10\tMicrosoft\n20\tOther\n";

int64_t Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (int64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

int64_t LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (int64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// Seconds from now to the next call time.
int64_t SecondsToNextCall() { return (Settings().ncx - Now()) / kFileTimeTicksPerSecond; }

std::string Unreported(const ZUsageCounters& counters) {
  std::string text;
  for (const auto& entry : counters.entries())
    text += std::to_string(entry.first) + ":" + std::to_string(entry.second.total) + "/" +
            std::to_string(entry.second.recent) + " ";
  return text;
}

class WebExchange : public WebTest {
 protected:
  void countSomeUse() {
    PluginCounters().count(5);
    PluginCounters().count(5);
    PluginCounters().count(9);
    SymbolCounters().count(0);
    ServiceCounters().count(3);
  }
  std::string lastRequest() const {
    const auto lines = Service().requests();
    return lines.empty() ? std::string() : lines.back();
  }
};

}  // namespace

TEST_F(WebExchange, TheForcedExchangeReplacesTheListsEncrypted) {
  ASSERT_TRUE(WriteServiceList(system("weblist"), "the old list\r\n"));
  Service().put("weblist", kWebList);
  Service().put("firms", kFirms);
  countSomeUse();
  const size_t before = Service().requests().size();

  RunWebExchange(true);

  ASSERT_EQ(Service().requests().size(), before + 1);
  EXPECT_EQ(lastRequest(),
            "request language=1 os=1 version=8 product=3 ctplug=5:2,9:1 ctsrvc=3:1 ctsym=0:1 weblist=0");
  EXPECT_EQ(ReadServiceList(system("weblist")), kWebList);
  EXPECT_EQ(ReadServiceList(system("firms")), kFirms);
  // Stored encrypted, never as the plain text.
  EXPECT_EQ(TempFolder::Read(system("weblist")).find("Search"), std::string::npos);
  // Reported counts start again; the totals stay; the profile was saved so.
  EXPECT_EQ(Unreported(PluginCounters()), "5:2/0 9:1/0 ");
  EXPECT_EQ(Unreported(SymbolCounters()), "0:1/0 ");
  const std::string saved = DecryptedText(Profiles().current()->folder + "stpl", ProfileDefaultKey());
  EXPECT_EQ(saved, "5\t2\t0\r\n9\t1\t0\r\n");
  // The service said 3600 seconds.
  EXPECT_NEAR(static_cast<double>(SecondsToNextCall()), 3600.0, 60.0);
}

TEST_F(WebExchange, APlainExchangeReportsTheAgeOfTheList) {
  ASSERT_TRUE(WriteServiceList(system("weblist"), "a list\r\n"));
  const int64_t written = LastWrite(system("weblist"));
  RunWebExchange(false);
  EXPECT_EQ(lastRequest(), "request language=1 os=1 version=8 product=3 weblist=" + WeblistAgeText(written));
  // Nothing newer in the catalogue: the list stays.
  EXPECT_EQ(ReadServiceList(system("weblist")), "a list\r\n");
}

TEST_F(WebExchange, AnAnswerThatBreaksOffReplacesNothing) {
  ASSERT_TRUE(WriteServiceList(system("weblist"), "the old list\r\n"));
  BreakingService().clearCatalogue();
  BreakingService().put("weblist", kWebList);
  pointAt(BreakingService().address());
  RunWebExchange(true);
  ASSERT_FALSE(BreakingService().requests().empty());
  EXPECT_EQ(ReadServiceList(system("weblist")), "the old list\r\n");
  // The next call time is the request's own day, not the answer's hour.
  EXPECT_NEAR(static_cast<double>(SecondsToNextCall()), 86400.0, 60.0);
}

TEST_F(WebExchange, AServiceThatIsDownChangesNothingAndLosesNoCount) {
  ASSERT_TRUE(WriteServiceList(system("weblist"), "the old list\r\n"));
  countSomeUse();
  pointAt("127.0.0.1:" + std::to_string(ClosedPort()));
  RunWebExchange(true);
  EXPECT_EQ(ReadServiceList(system("weblist")), "the old list\r\n");
  EXPECT_EQ(Unreported(PluginCounters()), "5:2/2 9:1/1 ");
  EXPECT_EQ(Unreported(ServiceCounters()), "3:1/1 ");
  EXPECT_EQ(Unreported(SymbolCounters()), "0:1/1 ");
  const std::string saved = DecryptedText(Profiles().current()->folder + "stpl", ProfileDefaultKey());
  EXPECT_EQ(saved, "5\t2\t2\r\n9\t1\t1\r\n");
}

// Runs this test program again for one test, with `variable` set in its
// environment from the start (the C run-time reads http_proxy only then).
DWORD RunThisTestWith(const char* test, const std::string& variable) {
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string environment = variable + '\0' + "ZAVOTRA_CHILD=1" + '\0';
  for (const char* entry = GetEnvironmentStringsA(); *entry; entry += strlen(entry) + 1) environment += entry + std::string(1, '\0');
  environment += '\0';
  std::string command = std::string("\"") + program + "\" --gtest_filter=" + test;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, &environment[0], nullptr, &startup, &process))
    return 0xFFFFFFFF;
  WaitForSingleObject(process.hProcess, 120000);
  DWORD code = 0xFFFFFFFF;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST_F(WebExchange, GoesStraightToTheServiceWhateverProxyIsSet) {
  if (!GetEnvironmentVariableA("ZAVOTRA_CHILD", nullptr, 0)) {
    // A proxy that would swallow the request, as the system's settings
    // (here Wine's http_proxy) may name one.
    const std::string proxy = "http_proxy=http://127.0.0.1:" + std::to_string(ClosedPort());
    EXPECT_EQ(RunThisTestWith("WebExchange.GoesStraightToTheServiceWhateverProxyIsSet", proxy), 0u);
    return;
  }
  Service().put("weblist", kWebList);
  RunWebExchange(true);
  EXPECT_EQ(ReadServiceList(system("weblist")), kWebList);
}
