#include "plugins/legacy_plugin_record.h"

#include <cstring>

#include "common/errors.h"
#include "common/scrambled_text.h"
#include "common/stored_values.h"

const char kLegacyPluginSignature[] = "Zavotra Plug-in File";

namespace {

constexpr int kIgnoredAfterComments = 1;
constexpr int kIgnoredAfterId = 5;

void SkipStrings(LegacyStream& stream, int count) {
  for (int i = 0; i < count; ++i) stream.readString();
}

}  // namespace

bool IsLegacyPluginFile(const uint8_t* data, size_t size) {
  if (!data) return false;
  const size_t signatureLength = std::strlen(kLegacyPluginSignature);
  const void* zero = std::memchr(data, 0, size);
  const size_t firstLength = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data) : size;
  return firstLength == signatureLength && std::memcmp(data, kLegacyPluginSignature, signatureLength) == 0;
}

std::string UnscrambleLegacyText(const std::string& stored) {
  std::string text = UnscrambleText(stored);
  // A well-formed file never unscrambles to a zero byte; a damaged one ends
  // the text there, as a zero-terminated string would.
  const size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

LegacyPluginRecord ReadLegacyPlugin(LegacyStream& stream, bool withActions) {
  if (stream.readString() != kLegacyPluginSignature) throw ZReadError();
  LegacyPluginRecord plugin;
  plugin.name = UnscrambleLegacyText(stream.readString());
  plugin.caption = UnscrambleLegacyText(stream.readString());
  plugin.key = UnscrambleLegacyText(stream.readString());
  plugin.comments = stream.readString();
  SkipStrings(stream, kIgnoredAfterComments);
  plugin.languageName = stream.readString();
  const std::string id = stream.readString();
  plugin.id = id.empty() ? -1 : ParseStoredInteger(id);  // saturates where atoi is undefined
  SkipStrings(stream, kIgnoredAfterId);
  if (withActions) plugin.actions = ReadLegacyActionSequence(stream);
  return plugin;
}
