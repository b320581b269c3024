#include "web/server_address.h"

const char kDefaultWebServiceHost[] = "services.zavotra.com";

namespace {
std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

ZServerAddress DefaultAddress() { return ZServerAddress{kDefaultWebServiceHost, kDefaultWebServicePort}; }
}  // namespace

ZServerAddress ParseServerAddress(const std::string& value) {
  const std::string text = Trimmed(value);
  if (text.empty()) return DefaultAddress();
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos) return ZServerAddress{text, kDefaultWebServicePort};
  const std::string host = text.substr(0, colon);
  const std::string digits = text.substr(colon + 1);
  if (host.empty() || digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
    return DefaultAddress();
  const unsigned long port = std::stoul(digits);
  if (port == 0 || port > 65535) return DefaultAddress();
  return ZServerAddress{host, static_cast<uint16_t>(port)};
}
