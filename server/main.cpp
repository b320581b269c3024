// zavotra-web-server: the reference web service on a loopback port.
//
//   zavotra-web-server --catalogue DIR [--port N] [--bind ADDRESS]
//                      [--log FILE] [--port-file FILE] [--next-call SECONDS]
//                      [--max-connections N] [--idle SECONDS] [--break-off]
//
// --port 0 (the default) takes a free port; --port-file then tells which
// (written whole once the service listens). --break-off makes every answer
// end inside a field (for the tests of callers). SIGTERM or SIGINT end it.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "server/service_loop.h"
#include "server/web_service.h"

namespace {

std::atomic<bool> gStop{false};

void OnSignal(int) { gStop.store(true); }

struct Arguments {
  ZServiceOptions service;
  ZLoopOptions loop;
  std::string logPath;
  std::string portFile;
};

bool ToNumber(const char* text, long low, long high, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 10);
  return end && *end == '\0' && end != text && value >= low && value <= high;
}

bool Parse(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--break-off") {
      args.service.breakOff = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    long number = 0;
    if (option == "--catalogue") {
      args.service.catalogue = value;
      if (args.service.catalogue.empty() || args.service.catalogue.back() != '/') args.service.catalogue += '/';
    } else if (option == "--port" && ToNumber(value, 0, 65535, number)) {
      args.loop.port = static_cast<uint16_t>(number);
    } else if (option == "--bind") {
      args.loop.bindAddress = value;
    } else if (option == "--log") {
      args.logPath = value;
    } else if (option == "--port-file") {
      args.portFile = value;
    } else if (option == "--next-call" && ToNumber(value, -2147483647L - 1, 2147483647L, number)) {
      args.service.nextCallSeconds = static_cast<int32_t>(number);
    } else if (option == "--max-connections" && ToNumber(value, 1, 65536, number)) {
      args.loop.maxConnections = static_cast<int>(number);
    } else if (option == "--idle" && ToNumber(value, 1, 3600, number)) {
      args.loop.idleSeconds = static_cast<int>(number);
    } else {
      return false;
    }
  }
  return !args.service.catalogue.empty();
}

// Written beside and renamed, so that a reader never sees half a number.
bool WritePortFile(const std::string& path, uint16_t port) {
  const std::string partial = path + ".part";
  FILE* file = std::fopen(partial.c_str(), "w");
  if (!file) return false;
  const bool written = std::fprintf(file, "%u\n", static_cast<unsigned>(port)) > 0;
  return std::fclose(file) == 0 && written && std::rename(partial.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!Parse(argc, argv, args)) {
    std::fprintf(stderr,
                 "usage: %s --catalogue DIR [--port N] [--bind ADDRESS] [--log FILE] [--port-file FILE]\n"
                 "       [--next-call SECONDS] [--max-connections N] [--idle SECONDS] [--break-off]\n",
                 argv[0]);
    return 2;
  }
  FILE* log = nullptr;
  if (!args.logPath.empty() && !(log = std::fopen(args.logPath.c_str(), "a"))) {
    std::perror(args.logPath.c_str());
    return 1;
  }
  args.service.log = log;
  signal(SIGPIPE, SIG_IGN);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);

  ZWebService service(args.service);
  ZServiceLoop loop(service, args.loop);
  std::string error;
  if (!loop.listen(error)) {
    std::fprintf(stderr, "zavotra-web-server: can't listen on %s:%u: %s\n", args.loop.bindAddress.c_str(),
                 static_cast<unsigned>(args.loop.port), error.c_str());
    return 1;
  }
  if (!args.portFile.empty() && !WritePortFile(args.portFile, loop.port())) {
    std::perror(args.portFile.c_str());
    return 1;
  }
  std::printf("zavotra-web-server: listening on %s:%u, catalogue %s\n", args.loop.bindAddress.c_str(),
              static_cast<unsigned>(loop.port()), args.service.catalogue.c_str());
  std::fflush(stdout);
  loop.run(gStop);
  if (log) std::fclose(log);
  return 0;
}
