#include "installer/command_line.h"

#include <string.h>

#include <vector>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> SplitArguments(const std::string& text) {
  std::vector<std::string> arguments;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) break;
    std::string argument;
    bool quoted = false;
    for (; i < text.size() && (quoted || !IsBlank(text[i])); ++i) {
      if (text[i] == '"')
        quoted = !quoted;
      else
        argument += text[i];
    }
    arguments.push_back(argument);
  }
  return arguments;
}

bool IsQuietSwitch(const std::string& argument) {
  return argument.size() == 6 && (argument[0] == '/' || argument[0] == '-') &&
         _stricmp(argument.c_str() + 1, "quiet") == 0;
}

}  // namespace

std::string ArgumentsAfterProgram(const std::string& commandLine) {
  size_t i = 0;
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  if (i < commandLine.size() && commandLine[i] == '"') {
    size_t close = commandLine.find('"', i + 1);
    i = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  }
  return commandLine.substr(i);
}

ZInstallCommand ParseInstallCommand(const std::string& arguments) {
  const std::vector<std::string> items = SplitArguments(arguments);
  ZInstallCommand command;
  if (items.empty()) return command;
  if (!IsQuietSwitch(items[0]) || items.size() > 2 || (items.size() == 2 && items[1].empty())) {
    command.mode = ZInstallCommand::Mode::Invalid;
    return command;
  }
  command.mode = ZInstallCommand::Mode::Quiet;
  if (items.size() == 2) command.folder = items[1];
  return command;
}
