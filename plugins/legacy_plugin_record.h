// Older plug-in files: a sequence of zero-terminated strings starting with
// "Zavotra Plug-in File", then the actions in the older sequential form.
// Portable reading into a plain record; ZPlugin maps it onto its fields.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "actions/legacy_action_record.h"
#include "actions/legacy_stream.h"

extern const char kLegacyPluginSignature[];  // "Zavotra Plug-in File"

struct LegacyPluginRecord {
  std::string name;     // unscrambled
  std::string caption;  // unscrambled
  std::string key;      // unscrambled
  std::string comments;
  std::string languageName;
  int32_t id = -1;  // an empty text gives -1
  std::vector<LegacyActionRecord> actions;
};

// True when the first zero-terminated string of the data is the signature
// (data without a zero byte is compared whole).
bool IsLegacyPluginFile(const uint8_t* data, size_t size);

// The stored Name, Caption and Key have 136 added at even and 30 at odd
// positions (mod 256) to what was written; this restores the text.
std::string UnscrambleLegacyText(const std::string& stored);

// Reads the header strings and, when withActions, the actions up to the
// double 0xFF. Throws ZReadError for a wrong signature or data that ends early.
LegacyPluginRecord ReadLegacyPlugin(LegacyStream& stream, bool withActions);
