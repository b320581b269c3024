// Where the web service listens: the host and port of the registry value
// "WebServer" (REG_SZ, "host" or "host:port") under
// HKEY_LOCAL_MACHINE\SOFTWARE\Zavotra\Pro, else the vendor's server on port
// 49153.
#pragma once
#include <cstdint>
#include <string>

struct ZServerAddress {
  std::string host;
  uint16_t port = 0;
};

extern const char kDefaultWebServiceHost[];
constexpr uint16_t kDefaultWebServicePort = 49153;

// "host" or "host:port" (port 1 to 65535). Blanks around the value are
// ignored; an empty value or a bad port gives the default address.
ZServerAddress ParseServerAddress(const std::string& value);

#ifdef _WIN32
// Read anew for every exchange, so that a changed value takes effect at once.
ZServerAddress WebServiceAddress();
#endif
