// Fixtures of the web tests under Wine: the reference web service that the
// web_server fixture started on the Linux side (its state folder reached
// through the Z: drive), an installation with an open profile and the
// Internet session, and the registry value that points the program at the
// service.
#pragma once
#include <winsock2.h>  // before windows.h, which would bring the older one
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/default_key.h"
#include "common/table_file_io.h"
#include "plugins/plugin_manager.h"
#include "shell/folders.h"
#include "shell/internet_session.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"
#include "shell/road_steps.h"
#include "shell/usage_counters.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/temp_folder.h"

// A reference service as the fixture left it: "catalogue\" (which the tests
// fill), "port", "requests.log".
class ZTestWebService {
 public:
  explicit ZTestWebService(const char* state) : state_(state) {}

  const std::string& state() const { return state_; }
  std::string catalogue() const { return state_ + "catalogue\\"; }
  int port() const { return std::atoi(TempFolder::Read(state_ + "port").c_str()); }
  std::string address() const { return "127.0.0.1:" + std::to_string(port()); }
  // The request log, one "request ..." line per accepted request.
  std::vector<std::string> requests() const {
    std::vector<std::string> lines;
    const std::string log = TempFolder::Read(state_ + "requests.log");
    size_t start = 0;
    for (size_t end; (end = log.find('\n', start)) != std::string::npos; start = end + 1)
      lines.push_back(log.substr(start, end - start));
    return lines;
  }
  // Empties the catalogue: each test puts there what it needs.
  void clearCatalogue() const {
    for (const std::string& name : TempFolder().fileNames(catalogue())) DeleteFileA((catalogue() + name).c_str());
  }
  void put(const std::string& name, const std::string& content) const {
    TempFolder::Write(catalogue() + name, content);
  }

 private:
  std::string state_;
};

inline ZTestWebService& Service() {
  static ZTestWebService service(ZAVOTRA_WEB_STATE);
  return service;
}
inline ZTestWebService& BreakingService() {
  static ZTestWebService service(ZAVOTRA_WEB_BROKEN_STATE);
  return service;
}

// A loopback port nobody listens on.
inline int ClosedPort() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  closesocket(s);
  return ntohs(address.sin_port);
}

inline ZKeyBlock ServiceListKey() { return DefaultKey().withUsedLength(ZKeyBlock::kServiceLength); }

inline bool WriteServiceList(const std::string& path, const std::string& text) {
  return table_file_io::WriteEncryptedText(path.c_str(), ServiceListKey(), text);
}
inline std::string ReadServiceList(const std::string& path) {
  std::string text;
  return table_file_io::ReadEncryptedText(path.c_str(), ServiceListKey(), text) ? text : "<unreadable>";
}

// An installation with its profile open, the program's Internet session,
// and "WebServer" pointing at the reference service.
class WebTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(Service().port(), 0) << "no web service: the web_server fixture did not run";
    Folders().deriveFrom(install.root());
    Profiles().reset();
    Profiles().setPasswordPrompt(nullptr);
    ProfileHooks() = ZProfileHooks();
    InstallPluginProfileHooks();
    ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
    PluginCounters().clear();
    ServiceCounters().clear();
    SymbolCounters().clear();
    ASSERT_TRUE(OpenInternetSession());
    pointAt(Service().address());
    Service().clearCatalogue();
  }
  void TearDown() override {
    CloseInternetSession();
    Profiles().reset();
    ProfileHooks() = ZProfileHooks();
  }
  void pointAt(const std::string& address) {
    ZRegistryValueGuard::Set(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zavotra\\Pro", "WebServer", address);
  }
  std::string system(const char* name) const { return Folders().system + name; }

  ZRegistryValueGuard serverValue{HKEY_LOCAL_MACHINE, "SOFTWARE\\Zavotra\\Pro", "WebServer"};
  ZTestInstallation install;
};
