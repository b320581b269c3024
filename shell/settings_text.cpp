#include "shell/settings_text.h"

#include <cinttypes>
#include <cstdio>

#include "shell/decimal_text.h"

namespace {
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

size_t SkipLineEnds(std::string_view text, size_t pos) {
  while (pos < text.size() && (text[pos] == '\t' || IsLineEnd(text[pos]))) ++pos;
  return pos;
}

const std::string* Find(const std::map<std::string, std::string>& table, const char* key) {
  auto it = table.find(key);
  return it == table.end() ? nullptr : &it->second;
}

void ReadBool(const std::map<std::string, std::string>& table, const char* key, bool& field) {
  if (const std::string* value = Find(table, key)) {
    if (*value == "true") field = true;
    else if (*value == "false") field = false;
  }
}

void ReadInt(const std::map<std::string, std::string>& table, const char* key, int32_t& field) {
  if (const std::string* value = Find(table, key)) field = DecimalToInt32(*value);
}

void ReadInt64(const std::map<std::string, std::string>& table, const char* key, int64_t& field) {
  if (const std::string* value = Find(table, key)) field = DecimalToInt64(*value);
}

void ReadString(const std::map<std::string, std::string>& table, const char* key, std::string& field) {
  if (const std::string* value = Find(table, key)) field = *value;
}

// A value must stay on its line: a line end inside it would cut the file
// into a different set of keys on the next load.
std::string OneLine(const std::string& value) {
  std::string line;
  for (char c : value) line += IsLineEnd(c) ? ' ' : c;
  return line;
}

void WriteBool(std::string& text, const char* key, bool value) {
  text += key; text += '\t'; text += value ? "true" : "false"; text += "\r\n";
}

void WriteInt(std::string& text, const char* key, int64_t value) {
  char number[32];
  std::snprintf(number, sizeof number, "%" PRId64, value);
  text += key; text += '\t'; text += number; text += "\r\n";
}

void WriteString(std::string& text, const char* key, const std::string& value) {
  text += key; text += '\t'; text += OneLine(value); text += "\r\n";
}

// Enough for any user's list; a hostile file cannot make it endless.
constexpr unsigned kMaxCaptureOffApplications = 1000;
const char kCaptureOffKey[] = "CaptureOff";
const char kPauseInFullScreenKey[] = "PauseInFullScreen";
const char kRecognizerKey[] = "Recognizer";
const char kStandardRecognizer[] = "Standard";
const char kPreciseRecognizer[] = "Precise";

// Any other value, as a missing key, leaves the default.
void ReadRecognizer(const std::map<std::string, std::string>& table, ZRecognizerChoice& field) {
  if (const std::string* value = Find(table, kRecognizerKey)) {
    if (*value == kStandardRecognizer) field = ZRecognizerChoice::kStandard;
    else if (*value == kPreciseRecognizer) field = ZRecognizerChoice::kPrecise;
  }
}

std::string CaptureOffKey(unsigned n) { return kCaptureOffKey + std::to_string(n); }

// Class TAB caption, each escaped so that any text (tabs and line ends
// included) comes back exactly as it was.
std::string RuleValue(const ZWindowRule& rule) {
  return EscapeSettingText(rule.key) + '\t' + EscapeSettingText(rule.caption);
}

ZWindowRule RuleFromValue(const std::string& value) {
  const size_t tab = value.find('\t');
  if (tab == std::string::npos) return ZWindowRule{UnescapeSettingText(value), std::string()};
  return ZWindowRule{UnescapeSettingText(value.substr(0, tab)), UnescapeSettingText(value.substr(tab + 1))};
}

void ReadCaptureOffApplications(const std::map<std::string, std::string>& table, std::vector<ZWindowRule>& rules) {
  // Numbered from 1; the list ends at the first number missing.
  for (unsigned n = 1; n <= kMaxCaptureOffApplications; ++n) {
    const std::string key = CaptureOffKey(n);
    const std::string* value = Find(table, key.c_str());
    if (!value) break;
    if (n == 1) rules.clear();
    rules.push_back(RuleFromValue(*value));
  }
}
}  // namespace

std::string EscapeSettingText(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      case '\n': escaped += "\\n"; break;
      case '\0': escaped += "\\0"; break;
      default: escaped += c; break;
    }
  }
  return escaped;
}

std::string UnescapeSettingText(const std::string& text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      plain += text[i];
      continue;
    }
    switch (text[++i]) {
      case '\\': plain += '\\'; break;
      case 't': plain += '\t'; break;
      case 'r': plain += '\r'; break;
      case 'n': plain += '\n'; break;
      case '0': plain += '\0'; break;
      default: plain += '\\'; plain += text[i]; break;  // not one of ours: kept as it stands
    }
  }
  return plain;
}

std::map<std::string, std::string> ParseSettingsText(std::string_view text) {
  std::map<std::string, std::string> table;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    size_t keyEnd = pos;
    while (keyEnd < text.size() && text[keyEnd] != '\t' && !IsLineEnd(text[keyEnd])) ++keyEnd;
    if (keyEnd >= text.size() || IsLineEnd(text[keyEnd])) {
      pos = SkipLineEnds(text, keyEnd);  // no tab on this line: no value
      continue;
    }
    size_t valueEnd = keyEnd + 1;
    while (valueEnd < text.size() && !IsLineEnd(text[valueEnd])) ++valueEnd;
    table.emplace(std::string(text.substr(pos, keyEnd - pos)),
                  std::string(text.substr(keyEnd + 1, valueEnd - keyEnd - 1)));
    pos = SkipLineEnds(text, valueEnd);
  }
  return table;
}

ZSettings SettingsFromText(std::string_view text, const ZSettings& defaults) {
  const auto table = ParseSettingsText(text);
  ZSettings s = defaults;
  ReadBool(table, "FirstTime", s.firstTime);
  ReadBool(table, "ApplicationDetection", s.applicationDetection);
  ReadBool(table, "RunAtStartup", s.runAtStartup);
  ReadBool(table, "AutoHide", s.autoHide);
  ReadInt(table, "DrawButton", s.drawButton);
  ReadInt(table, "DeviceType", s.deviceType);
  ReadString(table, "ExeFolder", s.exeFolder);
  ReadBool(table, "PlaySounds", s.playSounds);
  ReadInt64(table, "NCx", s.ncx);
  ReadString(table, "SoundFolder", s.soundFolder);
  ReadString(table, "SoundTheme", s.soundTheme);
  ReadBool(table, "StartHidden", s.startHidden);
  ReadBool(table, "PlayStartSound", s.playStartSound);
  ReadInt(table, "DrawingThreshold", s.drawingThreshold);
  ReadInt(table, "RecognitionTolerance", s.recognitionTolerance);
  ReadInt(table, "WindowX", s.windowX);
  ReadInt(table, "WindowY", s.windowY);
  ReadCaptureOffApplications(table, s.captureOffApplications);
  ReadBool(table, kPauseInFullScreenKey, s.pauseInFullScreen);
  ReadRecognizer(table, s.recognizer);
  return s;
}

std::string SettingsToText(const ZSettings& s) {
  std::string text;
  WriteBool(text, "ApplicationDetection", s.applicationDetection);
  WriteBool(text, "AutoHide", s.autoHide);
  WriteBool(text, "RunAtStartup", s.runAtStartup);
  WriteInt(text, "DrawButton", s.drawButton);
  WriteInt(text, "DeviceType", s.deviceType);
  WriteString(text, "ExeFolder", s.exeFolder);
  WriteBool(text, "FirstTime", s.firstTime);
  WriteBool(text, "PlaySounds", s.playSounds);
  WriteString(text, "SoundFolder", s.soundFolder);
  WriteString(text, "SoundTheme", s.soundTheme);
  WriteBool(text, "StartHidden", s.startHidden);
  WriteBool(text, "PlayStartSound", s.playStartSound);
  WriteInt(text, "DrawingThreshold", s.drawingThreshold);
  WriteInt(text, "RecognitionTolerance", s.recognitionTolerance);
  WriteInt(text, "WindowX", s.windowX);
  WriteInt(text, "WindowY", s.windowY);
  WriteInt(text, "NCx", s.ncx);
  // Only when set, so that the file of a user who never touched them is
  // exactly what earlier versions wrote and read.
  for (size_t i = 0; i < s.captureOffApplications.size(); ++i)
    WriteString(text, CaptureOffKey(static_cast<unsigned>(i + 1)).c_str(), RuleValue(s.captureOffApplications[i]));
  if (s.pauseInFullScreen) WriteBool(text, kPauseInFullScreenKey, true);
  if (s.recognizer == ZRecognizerChoice::kPrecise) WriteString(text, kRecognizerKey, kPreciseRecognizer);
  return text;
}
