#include <windows.h>

#include "common/registry.h"
#include "common/registry_key.h"
#include "web/server_address.h"

ZServerAddress WebServiceAddress() {
  ZRegistryKey key;
  const std::string value =
      key.open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zavotra\\Pro", KEY_QUERY_VALUE) ? RegistryReadText(key.get(), "WebServer")
                                                                              : std::string();
  return ParseServerAddress(value);
}
