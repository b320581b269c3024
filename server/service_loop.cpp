#include "server/service_loop.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <list>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kReadChunk = 64 << 10;

struct Connection {
  int fd = -1;
  std::string input;
  std::string output;
  size_t written = 0;
  bool closeAfterWrite = false;
  Clock::time_point lastProgress = Clock::now();
};

bool MakeNonBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL, 0);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// Answers every complete request in the input; stops at the first refusal,
// after which the connection closes.
void ServeInput(Connection& c, ZWebService& service, const ZHttpLimits& limits) {
  while (c.output.empty() && !c.closeAfterWrite) {
    ZHttpRequest request;
    ZHttpRefusal refusal;
    const ZHttpParse parse = ParseHttpRequest(c.input, limits, request, refusal);
    if (parse == ZHttpParse::NeedMore) return;
    if (parse == ZHttpParse::Refused) {
      c.output = HttpResponse(refusal.status, "text/plain", refusal.reason + "\n", false);
      c.closeAfterWrite = true;
      c.input.clear();
      return;
    }
    c.input.erase(0, request.consumed);
    const ZServiceAnswer answer = service.answer(request.body);
    c.output = HttpResponse(answer.status, answer.contentType, answer.body, request.keepAlive);
    c.closeAfterWrite = !request.keepAlive;
  }
}

// False when the connection is finished (closed by the peer, or an error).
bool ReadFrom(Connection& c, ZWebService& service, const ZHttpLimits& limits) {
  char buffer[kReadChunk];
  for (;;) {
    const ssize_t got = recv(c.fd, buffer, sizeof buffer, 0);
    if (got > 0) {
      c.input.append(buffer, static_cast<size_t>(got));
      c.lastProgress = Clock::now();
      ServeInput(c, service, limits);
      if (!c.output.empty()) return true;  // answer first, read on afterwards
      continue;
    }
    if (got == 0) return false;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  }
}

bool WriteTo(Connection& c, ZWebService& service, const ZHttpLimits& limits) {
  while (c.written < c.output.size()) {
    const ssize_t sent = send(c.fd, c.output.data() + c.written, c.output.size() - c.written, MSG_NOSIGNAL);
    if (sent < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    c.written += static_cast<size_t>(sent);
    c.lastProgress = Clock::now();
  }
  c.output.clear();
  c.written = 0;
  if (c.closeAfterWrite) return false;
  ServeInput(c, service, limits);  // a pipelined request already received
  return true;
}

}  // namespace

ZServiceLoop::~ZServiceLoop() {
  if (listener_ >= 0) close(listener_);
}

bool ZServiceLoop::listen(std::string& error) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  if (listener_ < 0) {
    error = std::strerror(errno);
    return false;
  }
  const int on = 1;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(options_.port);
  if (inet_pton(AF_INET, options_.bindAddress.c_str(), &address.sin_addr) != 1) {
    error = "not an IPv4 address: " + options_.bindAddress;
    return false;
  }
  socklen_t length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 512) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 || !MakeNonBlocking(listener_)) {
    error = std::strerror(errno);
    return false;
  }
  port_ = ntohs(address.sin_port);
  return true;
}

void ZServiceLoop::run(const std::atomic<bool>& stop) {
  std::list<Connection> connections;
  std::vector<pollfd> polled;
  std::vector<Connection*> owners;
  const auto idle = std::chrono::seconds(options_.idleSeconds);
  while (!stop.load()) {
    polled.clear();
    owners.clear();
    const bool room = static_cast<int>(connections.size()) < options_.maxConnections;
    // At the limit the listener rests: new clients wait in the backlog.
    polled.push_back(pollfd{listener_, static_cast<short>(room ? POLLIN : 0), 0});
    for (Connection& c : connections) {
      polled.push_back(pollfd{c.fd, static_cast<short>(c.output.empty() ? POLLIN : POLLOUT), 0});
      owners.push_back(&c);
    }
    const int ready = poll(polled.data(), polled.size(), 250);
    if (ready < 0 && errno != EINTR) break;

    const Clock::time_point now = Clock::now();
    for (size_t i = 0; i < owners.size(); ++i) {
      Connection& c = *owners[i];
      const short events = polled[i + 1].revents;
      bool alive = true;
      if (events & (POLLERR | POLLNVAL)) alive = false;
      else if (events & POLLOUT) alive = WriteTo(c, service_, options_.limits);
      else if (events & (POLLIN | POLLHUP)) alive = ReadFrom(c, service_, options_.limits);
      if (alive && now - c.lastProgress > idle) alive = false;
      if (!alive) {
        close(c.fd);
        c.fd = -1;
      }
    }
    connections.remove_if([](const Connection& c) { return c.fd < 0; });

    if (polled[0].revents & POLLIN) {
      while (static_cast<int>(connections.size()) < options_.maxConnections) {
        const int fd = accept(listener_, nullptr, nullptr);
        if (fd < 0) break;
        const int on = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        if (!MakeNonBlocking(fd)) {
          close(fd);
          continue;
        }
        connections.emplace_back();
        connections.back().fd = fd;
      }
    }
  }
  for (Connection& c : connections) close(c.fd);
}
