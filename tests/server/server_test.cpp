// The reference web service as a real process on a loopback port: what it
// answers, what it records, how it refuses malformed requests, and that a
// slow client holds up nobody.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "common/zip_extraction.h"
#include "web/exchange_request.h"
#include "web/web_response.h"

extern char** environ;

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
}

struct HttpAnswer {
  int status = 0;
  std::string head;
  std::string body;
};

class Client {
 public:
  explicit Client(uint16_t port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    timeval wait{10, 0};  // a server that never answers fails the test instead of hanging it
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~Client() { close(fd_); }
  bool connected() const { return connected_; }

  bool send(const std::string& bytes) { return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size()); }

  // One response; status 0 when the connection ended or timed out first.
  HttpAnswer receive() {
    HttpAnswer answer;
    size_t end;
    while ((end = pending_.find("\r\n\r\n")) == std::string::npos)
      if (!more()) return answer;
    answer.head = pending_.substr(0, end);
    const size_t field = answer.head.find("Content-Length: ");
    const size_t length = field == std::string::npos ? 0 : std::strtoul(answer.head.c_str() + field + 16, nullptr, 10);
    while (pending_.size() < end + 4 + length)
      if (!more()) return answer;
    answer.status = std::atoi(answer.head.c_str() + 9);
    answer.body = pending_.substr(end + 4, length);
    pending_.erase(0, end + 4 + length);
    return answer;
  }
  bool closedByServer() {
    char c;
    return recv(fd_, &c, 1, 0) == 0;
  }

 private:
  bool more() {
    char buffer[65536];
    const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    pending_.append(buffer, static_cast<size_t>(got));
    return true;
  }
  int fd_;
  bool connected_ = false;
  std::string pending_;
};

std::string Post(const std::string& body, const char* extraHeaders = "") {
  return "POST / HTTP/1.1\r\nHost: test\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extraHeaders +
         "\r\n" + body;
}

std::string Request(const ZUsageReport& report, const std::string& age, const std::vector<int32_t>& wanted = {}) {
  return EncodeExchangeRequest(report, age, wanted);
}

ZWebResponse Answer(const std::string& body) {
  ZWebMemorySource source(body);
  ZWebResponse response;
  EXPECT_EQ(ReadWebResponse(source, nullptr, response), ZWebResponseEnd::Complete);
  return response;
}

std::string Field(const ZWebResponse& response, const std::string& name) {
  return std::string(reinterpret_cast<const char*>(response.data(name)), response.length(name));
}

class MemoryFolder : public ZZipOutput {
 public:
  bool makeFolder(const std::string&) override { return true; }
  bool createFile(const std::string& path) override {
    current_ = path;
    files[path].clear();
    return true;
  }
  bool write(const void* data, size_t size) override {
    files[current_].append(static_cast<const char*>(data), size);
    return true;
  }
  void finishFile(bool keep, uint16_t, uint16_t) override {
    if (!keep) files.erase(current_);
  }
  std::map<std::string, std::string> files;

 private:
  std::string current_;
};

std::map<std::string, std::string> Unzip(const std::string& archive) {
  ZZipMemoryInput input(reinterpret_cast<const uint8_t*>(archive.data()), archive.size());
  MemoryFolder folder;
  EXPECT_TRUE(ExtractZipEntries(input, folder, nullptr));
  return folder.files;
}

std::string NowPlusOneHourMs() {
  using namespace std::chrono;
  return std::to_string(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() + 3600000);
}

class WebServer : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zwebsrvXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    state_ = pattern;
    catalogue_ = state_ + "/catalogue/";
    ASSERT_EQ(mkdir(catalogue_.c_str(), 0755), 0);
    start();
  }
  void TearDown() override {
    stop();
    const std::string command = "rm -rf '" + state_ + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }

  void start() {
    const std::string portFile = state_ + "/port", log = state_ + "/requests.log";
    std::vector<std::string> args = {ZAVOTRA_WEB_SERVER, "--catalogue", catalogue_, "--log", log,
                                     "--port-file", portFile, "--next-call", "3600", "--idle", "5"};
    args.insert(args.end(), extraArguments_.begin(), extraArguments_.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    ASSERT_EQ(posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    for (int i = 0; i < 200 && port_ == 0; ++i) {
      port_ = static_cast<uint16_t>(std::atoi(ReadBytes(portFile).c_str()));
      if (port_ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    ASSERT_NE(port_, 0) << "the server did not start";
  }
  void stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the server ended badly";
  }
  HttpAnswer exchange(const std::string& raw) {
    Client client(port_);
    EXPECT_TRUE(client.connected());
    client.send(raw);
    return client.receive();
  }
  std::string log() const { return ReadBytes(state_ + "/requests.log"); }

  std::vector<std::string> extraArguments_;
  std::string state_, catalogue_;
  pid_t pid_ = -1;
  uint16_t port_ = 0;
};

class BreakingWebServer : public WebServer {
 protected:
  void SetUp() override {
    extraArguments_ = {"--break-off"};
    WebServer::SetUp();
  }
};

}  // namespace

TEST_F(BreakingWebServer, EveryAnswerBreaksOffInsideAField) {
  WriteBytes(catalogue_ + "weblist", "list");
  const HttpAnswer answer = exchange(Post(Request(ZUsageReport(), "0")));
  ASSERT_EQ(answer.status, 200);
  ZWebMemorySource source(answer.body);
  ZWebResponse response;
  EXPECT_EQ(ReadWebResponse(source, nullptr, response), ZWebResponseEnd::Broken);
  EXPECT_TRUE(response.has("weblist"));  // complete, but the answer as a whole is not
}

TEST_F(WebServer, SendsTheListsToACallerWithAnOlderList) {
  WriteBytes(catalogue_ + "weblist", "7\t1\t2\t3\t4\t5\t6\tSearch\thttp://x\ty\tscript\r\n");
  WriteBytes(catalogue_ + "firms", "10\tMaker\n");
  const HttpAnswer fresh = exchange(Post(Request(ZUsageReport(), "0")));
  ASSERT_EQ(fresh.status, 200);
  const ZWebResponse answer = Answer(fresh.body);
  EXPECT_EQ(answer.integer("nextcalltime"), 3600);
  ASSERT_TRUE(answer.hasOfType("weblist", 'F'));
  ASSERT_TRUE(answer.hasOfType("firms", 'F'));
  EXPECT_FALSE(answer.has("plgndscr"));
  EXPECT_EQ(Unzip(Field(answer, "weblist")),
            (std::map<std::string, std::string>{{"weblist", ReadBytes(catalogue_ + "weblist")}}));
  EXPECT_EQ(Unzip(Field(answer, "firms")), (std::map<std::string, std::string>{{"firms", "10\tMaker\n"}}));

  // A list younger than the catalogue's: only the next call time.
  const ZWebResponse current = Answer(exchange(Post(Request(ZUsageReport(), NowPlusOneHourMs()))).body);
  EXPECT_EQ(current.names(), std::vector<std::string>{"nextcalltime"});
}

TEST_F(WebServer, RecordsTheCountersItReceives) {
  ZUsageReport report;
  report.plugins = {{5, 2}, {7, 1}};
  report.symbols = {{0, 3}};
  ASSERT_EQ(exchange(Post(Request(report, "1234", {12, 13}))).status, 200);
  ASSERT_EQ(exchange(Post(Request(ZUsageReport(), "0"))).status, 200);
  EXPECT_EQ(log(),
            "request language=1 os=1 version=8 product=3 ctplug=5:2,7:1 ctsym=0:3 weblist=1234 listidplugin=12,13\n"
            "request language=1 os=1 version=8 product=3 weblist=0\n");
}

TEST_F(WebServer, PackagesTheWantedPluginsItHas) {
  WriteBytes(catalogue_ + "wps000012.zta", std::string("plug-in twelve\0\1\2", 17));
  WriteBytes(catalogue_ + "wps000013.zta", std::string(20000, 'x'));
  const ZWebResponse answer = Answer(exchange(Post(Request(ZUsageReport(), NowPlusOneHourMs(), {12, 99, 13}))).body);
  ASSERT_TRUE(answer.hasOfType("listidplugin", 'F'));
  const auto outer = Unzip(Field(answer, "listidplugin"));
  ASSERT_EQ(outer.size(), 2u);
  ASSERT_EQ(outer.count("inner.zip"), 1u);
  EXPECT_EQ(outer.count("readme.txt"), 1u);
  EXPECT_EQ(Unzip(outer.at("inner.zip")),
            (std::map<std::string, std::string>{{"wps000012.zta", std::string("plug-in twelve\0\1\2", 17)},
                                                {"wps000013.zta", std::string(20000, 'x')}}));

  const ZWebResponse none = Answer(exchange(Post(Request(ZUsageReport(), NowPlusOneHourMs(), {98}))).body);
  EXPECT_FALSE(none.has("listidplugin"));
}

TEST_F(WebServer, RefusesMalformedRequestsCleanly) {
  const std::string good = Request(ZUsageReport(), "0");
  struct Case {
    std::string raw;
    int status;
  };
  const Case cases[] = {
      {Post("not a request"), 400},
      {Post(good.substr(0, good.size() - 1)), 400},
      {Post(EncodeExchangeRequest(ZUsageReport(), "12x", {})), 400},
      {Post("iweblist=" + std::string("\x02\x02\x02\x02", 4) + std::string(1, '\0')), 400},
      {"GET / HTTP/1.1\r\nHost: x\r\n\r\n", 405},
      {"POST / HTTP/1.1\r\nHost: x\r\n\r\n", 411},
      {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 501},
      {"POST / HTTP/1.1\r\nContent-Length: 99999999\r\n\r\n", 413},
      {"POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nx", 400},
      {"POST / HTTP/1.1\r\nno colon here\r\n\r\n", 400},
      {"POST /\r\n\r\n", 400},
      {"POST / SPDY/3\r\n\r\n", 505},
      {"POST / HTTP/1.1\r\nX: " + std::string(20000, 'a'), 413},
  };
  for (const auto& c : cases) {
    Client client(port_);
    ASSERT_TRUE(client.connected());
    client.send(c.raw);
    const HttpAnswer answer = client.receive();
    EXPECT_EQ(answer.status, c.status) << c.raw.substr(0, 60);
    EXPECT_FALSE(answer.body.empty());
    if (c.status != 400 || answer.body.find("malformed request") == std::string::npos)
      EXPECT_NE(answer.head.find("Connection: close"), std::string::npos) << c.raw.substr(0, 60);
  }
  // Nothing malformed was recorded, and the service still answers.
  EXPECT_EQ(log(), "");
  EXPECT_EQ(exchange(Post(good)).status, 200);
}

TEST_F(WebServer, KeepsConnectionsAliveAndAnswersPipelinedRequestsInOrder) {
  Client client(port_);
  ASSERT_TRUE(client.connected());
  const std::string a = Post(Request(ZUsageReport(), "1")), b = Post("broken");
  ASSERT_TRUE(client.send(a + a));
  EXPECT_EQ(client.receive().status, 200);
  EXPECT_EQ(client.receive().status, 200);
  // A malformed body is refused; the connection goes on serving.
  ASSERT_TRUE(client.send(b + a));
  EXPECT_EQ(client.receive().status, 400);
  EXPECT_EQ(client.receive().status, 200);
}

TEST_F(WebServer, ASlowClientHoldsUpNobody) {
  const std::string request = Post(Request(ZUsageReport(), "1"));
  Client slow(port_);
  ASSERT_TRUE(slow.connected());
  ASSERT_TRUE(slow.send(request.substr(0, 30)));  // half a header, then nothing for a while
  std::atomic<int> answered{0};
  std::vector<std::thread> others;
  for (int i = 0; i < 20; ++i) {
    others.emplace_back([&] {
      Client client(port_);
      if (client.send(request) && client.receive().status == 200) ++answered;
    });
  }
  for (auto& t : others) t.join();
  EXPECT_EQ(answered.load(), 20);
  ASSERT_TRUE(slow.send(request.substr(30)));
  EXPECT_EQ(slow.receive().status, 200);
}

TEST_F(WebServer, ClosesAConnectionThatStalls) {
  Client stalled(port_);
  ASSERT_TRUE(stalled.connected());
  ASSERT_TRUE(stalled.send("POST / HTTP/1.1\r\n"));
  // --idle 5: the server gives up on it; the client's own wait is 10 s.
  EXPECT_TRUE(stalled.closedByServer());
}

TEST_F(WebServer, FiftyClientsAtOnce) {
  const std::string request = Post(Request(ZUsageReport(), "1"));
  std::atomic<int> answered{0};
  std::vector<std::thread> clients;
  for (int i = 0; i < 50; ++i) {
    clients.emplace_back([&] {
      Client client(port_);
      for (int r = 0; r < 20; ++r)
        if (client.send(request) && client.receive().status == 200) ++answered;
    });
  }
  for (auto& t : clients) t.join();
  EXPECT_EQ(answered.load(), 1000);
}
