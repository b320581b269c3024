// zavotra-web-bench: load on the reference web service. Each of the clients
// (threads) sends its requests one after another, over one keep-alive
// connection or a new connection each; the requests per second of the whole
// run and the latency percentiles of single requests are printed.
//
//   zavotra-web-bench --port N [--host 127.0.0.1] [--clients 50]
//                     [--requests 400] [--new-connection]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "web/exchange_request.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::string host = "127.0.0.1";
  int port = 0;
  int clients = 50;
  int requests = 400;
  bool newConnection = false;
};

int Connect(const Options& options) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(options.port));
  inet_pton(AF_INET, options.host.c_str(), &address.sin_addr);
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool SendAll(int fd, const std::string& bytes) {
  size_t at = 0;
  while (at < bytes.size()) {
    const ssize_t sent = send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
    if (sent <= 0) return false;
    at += static_cast<size_t>(sent);
  }
  return true;
}

// Reads one response; true for a 200 with its whole body.
bool ReadResponse(int fd) {
  std::string data;
  char buffer[16384];
  size_t headerEnd = std::string::npos;
  size_t length = 0;
  for (;;) {
    if (headerEnd != std::string::npos && data.size() >= headerEnd + 4 + length) break;
    const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    data.append(buffer, static_cast<size_t>(got));
    if (headerEnd == std::string::npos && (headerEnd = data.find("\r\n\r\n")) != std::string::npos) {
      const size_t field = data.find("Content-Length: ");
      if (field == std::string::npos || field > headerEnd) return false;
      length = std::strtoul(data.c_str() + field + 16, nullptr, 10);
    }
  }
  return data.compare(0, 12, "HTTP/1.1 200") == 0;
}

std::string RequestBytes() {
  ZUsageReport report;
  report.plugins = {{12, 3}, {57, 1}};
  report.symbols = {{0, 2}, {4, 9}};
  // A list as young as now: the answer holds only the next call time.
  const int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::system_clock::now().time_since_epoch()).count();
  const std::string body = EncodeExchangeRequest(report, std::to_string(now + 3600000), {});
  return "POST / HTTP/1.1\r\nHost: bench\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\n\r\n" + body;
}

struct ClientResult {
  std::vector<double> latencies;  // milliseconds
  int failures = 0;
};

void RunClient(const Options& options, const std::string& request, ClientResult& result) {
  int fd = -1;
  for (int i = 0; i < options.requests; ++i) {
    const Clock::time_point start = Clock::now();
    if (fd < 0) fd = Connect(options);
    const bool ok = fd >= 0 && SendAll(fd, request) && ReadResponse(fd);
    result.latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (!ok) ++result.failures;
    if (!ok || options.newConnection) {
      if (fd >= 0) close(fd);
      fd = -1;
    }
  }
  if (fd >= 0) close(fd);
}

double Percentile(const std::vector<double>& sorted, double p) {
  if (sorted.empty()) return 0;
  const size_t index = std::min(sorted.size() - 1, static_cast<size_t>(p / 100.0 * sorted.size()));
  return sorted[index];
}

bool Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--new-connection") {
      options.newConnection = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (option == "--host") options.host = value;
    else if (option == "--port") options.port = std::atoi(value);
    else if (option == "--clients") options.clients = std::atoi(value);
    else if (option == "--requests") options.requests = std::atoi(value);
    else return false;
  }
  return options.port > 0 && options.port < 65536 && options.clients > 0 && options.requests > 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s --port N [--host A] [--clients 50] [--requests 400] [--new-connection]\n", argv[0]);
    return 2;
  }
  const std::string request = RequestBytes();
  std::vector<ClientResult> results(static_cast<size_t>(options.clients));
  std::vector<std::thread> threads;
  const Clock::time_point start = Clock::now();
  for (auto& result : results) threads.emplace_back(RunClient, std::cref(options), std::cref(request), std::ref(result));
  for (auto& thread : threads) thread.join();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  std::vector<double> all;
  int failures = 0;
  for (const auto& result : results) {
    all.insert(all.end(), result.latencies.begin(), result.latencies.end());
    failures += result.failures;
  }
  std::sort(all.begin(), all.end());
  std::printf("clients %d, requests %zu (%s), failures %d, %.2f s\n", options.clients, all.size(),
              options.newConnection ? "a connection each" : "keep-alive", failures, seconds);
  std::printf("requests/s %.0f; latency ms: p50 %.3f, p90 %.3f, p99 %.3f, max %.3f\n", all.size() / seconds,
              Percentile(all, 50), Percentile(all, 90), Percentile(all, 99), all.empty() ? 0.0 : all.back());
  return failures == 0 ? 0 : 1;
}
