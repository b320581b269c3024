#include "actions/stored_action_record.h"

#include "actions/sound_and_internet_requests.h"
#include "common/errors.h"

namespace {

constexpr size_t kKeySlots = 4;

// The index of a name-valued stream's name; a name outside the table makes
// the value unreadable.
int RequireStoredIndex(const char* (*names)(int), const std::string& name) {
  const int index = FindStoredIndex(names, name);
  if (index < 0) throw ZReadError();
  return index;
}

// The system and internet commands keep a command whose function was never
// chosen under an empty name.
int FunctionOrNone(const char* (*names)(int), const std::string& name) {
  return name.empty() ? kNoFunction : RequireStoredIndex(names, name);
}

void ReadHotkeyFields(const ZStreamSource& source, CommandRecord& record) {
  record.repeat = CappedRepeat(ReadStoredInteger(source, L"Repeat"));
  const std::vector<uint32_t> numbers = ReadStoredNumberList(source, L"Keys", kKeySlots);
  // A number outside the key table, which no editor writes, becomes "no
  // key" rather than whatever key its low byte would happen to name.
  for (size_t slot = 0; slot < numbers.size(); ++slot)
    record.keys[slot] = numbers[slot] < kKeyIndexCount ? static_cast<uint8_t>(numbers[slot]) : 0;
}

void ReadSystemFields(const ZStreamSource& source, CommandRecord& record) {
  record.function = FunctionOrNone(StoredSystemFunctionName, ReadStoredLiteral(source, L"Function"));
  if (SystemFunctionHasParameter(record.function)) record.parameter = ReadStoredInteger(source, L"Parameter");
}

void ReadLaunchFields(const ZStreamSource& source, CommandRecord& record) {
  record.text = ReadStoredText(source, L"Filepath");
  record.commandLine = ReadStoredText(source, L"Command line");
  record.directory = ReadStoredText(source, L"Directory");
  record.windowStyle = RequireStoredIndex(StoredWindowStyleName, ReadStoredLiteral(source, L"Window style"));
  record.wait = ReadStoredBoolean(source, L"Wait");
}

void ReadSoundFields(const ZStreamSource& source, CommandRecord& record) {
  record.soundType = RequireStoredIndex(StoredSoundTypeName, ReadStoredLiteral(source, L"Sound type"));
  if (record.soundType == kSoundFile) record.text = ReadStoredText(source, L"Filepath");
  if (record.soundType == kSoundTheme) record.index = ReadStoredInteger(source, L"Index");
  if (record.soundType != kSoundStop) {
    record.loop = ReadStoredBoolean(source, L"Loop");
    record.wait = ReadStoredBoolean(source, L"Wait");
  }
}

void ReadInternetFields(const ZStreamSource& source, CommandRecord& record) {
  record.function = FunctionOrNone(StoredInternetFunctionName, ReadStoredLiteral(source, L"Function"));
  record.text = ReadStoredText(source, L"Service");
}

void ReadFieldsOfKind(const ZStreamSource& source, CommandRecord& record) {
  switch (record.type) {
    case kCommandHotkey: return ReadHotkeyFields(source, record);
    case kCommandMenu: record.text = ReadStoredText(source, L"Menu"); return;
    case kCommandText: record.text = ReadStoredText(source, L"Text"); return;
    case kCommandSystem: return ReadSystemFields(source, record);
    case kCommandLaunch: return ReadLaunchFields(source, record);
    case kCommandSound: return ReadSoundFields(source, record);
    case kCommandInternet: return ReadInternetFields(source, record);
  }
}

uint16_t ReadOptionalHotkey(const ZStreamSource& source) {
  try {
    return static_cast<uint16_t>(ReadStoredInteger(source, L"Hotkey"));
  } catch (const ZReadError&) {
    return 0;
  }
}

void ReadWebServiceBody(const ZStreamSource& source, StoredActionRecord& record) {
  record.serviceId = ReadStoredInteger(source, L"Website");
  int32_t result = 0;
  std::unique_ptr<ZStreamSource> sound = source.child(L"Sound", &result);
  if (sound) record.sound = ReadStoredSoundFields(*sound);
  else if (result != kElementNotFound) throw ZReadError(result);
}

}  // namespace

CommandRecord ReadStoredCommand(const ZStreamSource& source) {
  CommandRecord record;
  record.type = RequireStoredIndex(StoredCommandTypeName, ReadStoredLiteral(source, L"Type"));
  ReadFieldsOfKind(source, record);
  return record;
}

CommandRecord ReadStoredSoundFields(const ZStreamSource& source) {
  // Only the sound's own streams matter; its "Type" is not checked.
  CommandRecord record;
  record.type = kCommandSound;
  ReadSoundFields(source, record);
  return record;
}

StoredActionRecord ReadStoredAction(const ZStreamSource& source, bool topLevel) {
  // "Language" is informative only and not needed to read the action.
  if (topLevel) CheckStoredFileVersion(source, L"File Version");
  StoredActionRecord record;
  record.name = ReadStoredText(source, L"Name");
  record.hotkey = ReadOptionalHotkey(source);
  const std::string type = ReadStoredLiteral(source, L"Type");
  if (type == "Web Service") {
    record.webService = true;
    ReadWebServiceBody(source, record);
  } else if (type == "Macro") {
    // The list ends at the first missing number, so a gap drops what follows.
    ForEachNumberedChild(source, L"Command",
                         [&](const ZStreamSource& child, int) { record.commands.push_back(ReadStoredCommand(child)); });
  } else {
    throw ZReadError();
  }
  return record;
}
