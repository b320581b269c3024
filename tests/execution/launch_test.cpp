#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "actions/command_launch.h"
#include "actions/program_launch.h"

namespace {

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

std::string ThisFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return Folder(path);
}

std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}

bool ReadFileText(const std::string& path, std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[1024] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  text.assign(buffer, read);
  return true;
}

class Launch : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder with a blank in its name: the path must reach the program whole.
    folder_ = TempFolder() + "zavotra launch\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    // Names of this test's own: a probe of an earlier test may still run.
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    probe_ = folder_ + "launch probe " + test + ".exe";
    ASSERT_TRUE(CopyFileA((ThisFolder() + "launch_probe.exe").c_str(), probe_.c_str(), FALSE));
    report_ = TempFolder() + "zavotra_launch_" + test + ".txt";
    DeleteFileA(report_.c_str());
  }
  void TearDown() override { DeleteFileA(report_.c_str()); }

  std::string folder_, probe_, report_;
};

TEST_F(Launch, WaitStartsTheProgramInTheRootFolderAndReturnsWhenItIsIdle) {
  ZCommandLaunch command;
  command.setFilePath(probe_);
  command.setCommandLine("\"" + report_ + "\" second");
  command.setWait(true);
  EXPECT_TRUE(command.execute());
  // The probe writes its report before it waits for input.
  std::string report;
  ASSERT_TRUE(ReadFileText(report_, report));
  EXPECT_EQ("C:\\\n\"" + report_ + "\" second", report);
}

TEST_F(Launch, WaitUsesTheGivenFolder) {
  EXPECT_TRUE(LaunchProgram(probe_, report_, folder_, 1, true));
  std::string report;
  ASSERT_TRUE(ReadFileText(report_, report));
  EXPECT_EQ(folder_.substr(0, folder_.size() - 1), report.substr(0, report.find('\n')));
}

TEST_F(Launch, WithoutWaitTheShellOpensIt) {
  EXPECT_TRUE(LaunchProgram(probe_, report_, "", 0, false));
  std::string report;
  for (int attempt = 0; attempt < 100 && !ReadFileText(report_, report); ++attempt) Sleep(50);
  EXPECT_FALSE(report.empty());
}

TEST_F(Launch, ProgramThatCannotStartStillLetsTheMacroGoOn) {
  EXPECT_TRUE(LaunchProgram(folder_ + "missing.exe", "", "", 0, true));
  EXPECT_TRUE(LaunchProgram(folder_ + "missing.exe", "", "", 2, false));
  EXPECT_TRUE(LaunchProgram(probe_, report_, "C:\\no such folder\\", 0, true));
  std::string report;
  EXPECT_FALSE(ReadFileText(report_, report));
}

TEST(LaunchCommandLine, QuotesThePathAndAddsTheParameters) {
  EXPECT_EQ("\"C:\\Program Files\\a.exe\" -x y", LaunchCommandLine("C:\\Program Files\\a.exe", "-x y"));
  EXPECT_EQ("\"a.exe\"", LaunchCommandLine("a.exe", ""));
  EXPECT_EQ(SW_SHOWNORMAL, LaunchShowCommand(0));
  EXPECT_EQ(SW_MINIMIZE, LaunchShowCommand(1));
  EXPECT_EQ(SW_SHOWMAXIMIZED, LaunchShowCommand(2));
}

}  // namespace

#include "actions/command_internet.h"
#include "actions/sound_and_internet_requests.h"

namespace {

TEST(InternetRequest, WebsiteAndMailGoToTheUrlOpenerForumAndServiceDoNothing) {
  EXPECT_EQ("www.example.com", InternetRequestUrl(kInternetWebsite, "www.example.com"));
  EXPECT_EQ("mailto:someone@example.com", InternetRequestUrl(kInternetEmail, "someone@example.com"));
  EXPECT_EQ("", InternetRequestUrl(kInternetForum, "news"));
  EXPECT_EQ("", InternetRequestUrl(kInternetService, "login"));
  EXPECT_EQ("", InternetRequestUrl(7, "x"));
  ZCommandInternet forum;
  forum.setFunction(ZCommandInternet::kForum);
  forum.setTarget("anything");
  EXPECT_TRUE(forum.execute());
}

}  // namespace
