#include "actions/legacy_command_fields.h"

#include "actions/sound_and_internet_requests.h"
#include "common/stored_values.h"

namespace {

using Fields = std::vector<std::string>;

int Decimal(const std::string& text) { return ParseStoredInteger(text); }

// `value` when the table of stored names has an entry for it, else `fallback`.
int InTableOr(const char* (*names)(int), int value, int fallback) { return names(value) ? value : fallback; }

// The older form wrote -1 for an empty key slot; anything else outside the
// key table would press nothing either.
uint8_t KeyIndex(const std::string& text) {
  const int index = Decimal(text);
  return index >= 0 && index < kKeyIndexCount ? static_cast<uint8_t>(index) : 0;
}

void HotkeyFields(const Fields& f, CommandRecord& record) {
  record.repeat = CappedRepeat(Decimal(f[0]));
  for (size_t slot = 0; slot < record.keys.size(); ++slot) record.keys[slot] = KeyIndex(f[1 + slot]);
}

// The older form's flag byte is not a wait switch for launches.
void LaunchFields(const Fields& f, CommandRecord& record) {
  record.text = f[0];
  record.commandLine = f[1];
  record.directory = f[2];
  record.windowStyle = InTableOr(StoredWindowStyleName, Decimal(f[3]), record.windowStyle);
  record.wait = false;
}

// Four values a, b, c, d: c is the file; d = 2 stops, otherwise d = 1 loops
// and a selects file (0), theme sound b (1) or stop (anything else).
void SoundFields(const Fields& f, uint8_t flag, CommandRecord& record) {
  const int a = Decimal(f[0]);
  const int d = Decimal(f[3]);
  record.text = f[2];
  if (d == 2) {
    record.soundType = kSoundStop;
  } else {
    record.loop = d == 1;
    record.soundType = a == kSoundFile || a == kSoundTheme ? a : kSoundStop;
    if (a == kSoundTheme) record.index = Decimal(f[1]);
  }
  record.wait = flag == 1;
}

}  // namespace

CommandRecord CommandRecordFromLegacy(const LegacyCommandRecord& command) {
  CommandRecord record;
  record.type = command.type;
  record.ansiStrings = true;
  const Fields& f = command.fields;
  switch (command.type) {
    case kCommandHotkey:
      HotkeyFields(f, record);
      break;
    case kCommandMenu:
      record.text = f[0];
      break;
    case kCommandText:  // those files typed their text, without the clipboard
      record.text = f[0];
      record.useClipboard = false;
      break;
    case kCommandSystem:
      record.function = InTableOr(StoredSystemFunctionName, Decimal(f[0]), kNoFunction);
      record.parameter = Decimal(f[1]);
      break;
    case kCommandLaunch:
      LaunchFields(f, record);
      break;
    case kCommandSound:
      SoundFields(f, command.flag, record);
      break;
    case kCommandInternet:
      record.function = InTableOr(StoredInternetFunctionName, Decimal(f[0]), kNoFunction);
      record.text = f[1];
      break;
    default:
      record.type = -1;
      break;
  }
  return record;
}
