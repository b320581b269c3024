// Builds older-form plug-in files byte by byte, the way the old writer laid
// them out, for the reader's tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/symbols/first_format_bytes.h"

inline void AppendInt(Bytes& out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// The inverse of the reader's unscrambling: 136 off at even, 30 off at odd positions.
inline std::string ScrambleLegacyText(const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>((static_cast<unsigned char>(out[i]) + 256 - (i % 2 == 0 ? 136 : 30)) & 0xFF);
  return out;
}

struct LegacyCommandBytes {
  int32_t type;
  uint8_t flag;
  std::vector<std::string> fields;
};

inline Bytes LegacyCommand(const LegacyCommandBytes& command) {
  Bytes out;
  AppendInt(out, command.type);
  out.push_back(command.flag);
  if (command.type == 0) AppendInt(out, 0x11223344);  // the hotkey's unused int
  for (const auto& field : command.fields) AppendText(out, field);
  return out;
}

// One action record up to and including the 0xFF after its commands. The
// symbol's icon header is filled with junk: the reader must not compare it.
inline Bytes LegacyAction(const std::string& symbolName, const Bytes& pointBytes, const std::string& name,
                          uint8_t flags, int32_t hotkey, const std::vector<LegacyCommandBytes>& commands) {
  Bytes out(kFirstFormatHeaderSize, 0x00);
  for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<uint8_t>(i * 7);
  out[0] = 0;  // the old writer's icon header starts with a zero word
  AppendBytes(out, FirstFormatBody(symbolName, pointBytes));
  AppendText(out, name);
  out.push_back(flags);
  AppendInt(out, hotkey);
  for (const auto& command : commands) AppendBytes(out, LegacyCommand(command));
  out.push_back(0xFF);
  return out;
}

struct LegacyPluginHeader {
  std::string name = "Notepad";
  std::string caption = "Editor";
  std::string key = "NotepadClass";
  std::string comments = "Old comments";
  std::string language = "English";
  std::string id = "42";
};

// Signature, header strings (Name, Caption and Key scrambled), the actions
// (each already ending with its 0xFF) and the second 0xFF.
inline Bytes LegacyPluginFile(const LegacyPluginHeader& header, const std::vector<Bytes>& actions) {
  Bytes out;
  AppendText(out, "Zavotra Plug-in File");
  AppendText(out, ScrambleLegacyText(header.name));
  AppendText(out, ScrambleLegacyText(header.caption));
  AppendText(out, ScrambleLegacyText(header.key));
  AppendText(out, header.comments);
  AppendText(out, "ignored one");
  AppendText(out, header.language);
  AppendText(out, header.id);
  for (int i = 0; i < 5; ++i) AppendText(out, "ignored " + std::to_string(i));
  for (const auto& action : actions) AppendBytes(out, action);
  out.push_back(0xFF);
  return out;
}
