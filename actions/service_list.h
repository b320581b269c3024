// The web services offered to web-service actions: the list "weblist" that
// the vendor's web service delivers, one definition a line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/key_block.h"

struct ServiceDefinition {
  int32_t id = 0;
  // i1: the service's event sound is 1024 + i1; i2, i3: which name is shown;
  // i5: the credential key. i0 is the service's type and i4 its country
  // (the service editor's lists); the others are kept as read.
  int32_t i[6] = {};
  std::string t0, t1;  // two names
  std::string t2;      // the page address, UTF-8
  std::string t3;      // the form script

  int32_t typeId() const { return i[0]; }
  int32_t countryId() const { return i[4]; }
  int32_t soundEvent() const { return 1024 + i[1]; }
  uint32_t credentialKey() const { return static_cast<uint32_t>(i[5]); }
  const std::string& displayName() const { return i[2] == 1 || i[3] == 1 ? t0 : t1; }
  // Login values the script needs: the occurrences of "%LOGIN".
  size_t loginCount() const;
};

class ServiceList {
 public:
  const std::vector<ServiceDefinition>& services() const { return services_; }
  const ServiceDefinition* find(int32_t id) const;
  void clear() { services_.clear(); }

  // Replaces the list with the lines of `text` (CR and/or LF between lines):
  // the id, TAB, i0 to i5, t0, t1, t2 each followed by a TAB, and t3 to the
  // line's end. A line with fewer fields holds no service.
  void parse(const char* text, size_t size);

#ifdef _WIN32
  // Clears the list, then deciphers the file to a wiped temporary copy and
  // reads it; false when it cannot be opened or deciphered.
  bool load(const char* path, const ZKeyBlock& key);
#endif

 private:
  std::vector<ServiceDefinition> services_;
};

// The process-wide list, loaded at start-up and after each web exchange
// that brings a new one.
ServiceList& WebServices();
