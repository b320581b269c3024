// The reference service's network side: one thread, non-blocking sockets
// and poll(), so that a slow or stalled client holds up nobody. Each
// connection reads one request at a time (keep-alive and pipelining work),
// is refused cleanly when the request is malformed or too large, and is
// closed when it makes no progress for the idle time.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "server/http_request.h"
#include "server/web_service.h"

struct ZLoopOptions {
  std::string bindAddress = "127.0.0.1";
  uint16_t port = 0;  // 0: a free port, chosen by the system
  int maxConnections = 1024;
  int idleSeconds = 30;
  ZHttpLimits limits;
};

class ZServiceLoop {
 public:
  ZServiceLoop(ZWebService& service, ZLoopOptions options) : service_(service), options_(std::move(options)) {}
  ~ZServiceLoop();

  // Binds and listens; false with `error` set when it can't.
  bool listen(std::string& error);
  uint16_t port() const { return port_; }
  // Serves until `stop` becomes true (checked at least four times a second).
  void run(const std::atomic<bool>& stop);

 private:
  ZWebService& service_;
  ZLoopOptions options_;
  int listener_ = -1;
  uint16_t port_ = 0;
};
