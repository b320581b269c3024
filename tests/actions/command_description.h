// Every field of a command as text, read through its getters, so that tests
// compare commands without relying on equals().
#pragma once
#include <sstream>
#include <string>

#include "actions/command_hotkey.h"
#include "actions/command_internet.h"
#include "actions/command_launch.h"
#include "actions/command_menu.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"

inline std::string DescribeCommand(const ZCommand& command) {
  std::ostringstream out;
  out << "type " << command.typeId();
  if (auto c = dynamic_cast<const ZCommandHotkey*>(&command)) {
    out << " repeat " << c->repeat() << " keys";
    for (uint8_t key : c->keys()) out << ' ' << int(key);
  } else if (auto c = dynamic_cast<const ZCommandMenu*>(&command)) {
    out << " path [" << c->path() << ']';
  } else if (auto c = dynamic_cast<const ZCommandText*>(&command)) {
    out << " text [" << c->text() << "] clipboard " << c->useClipboard();
  } else if (auto c = dynamic_cast<const ZCommandSystem*>(&command)) {
    out << " function " << c->function() << " parameter " << c->parameter();
  } else if (auto c = dynamic_cast<const ZCommandLaunch*>(&command)) {
    out << " file [" << c->filePath() << "] line [" << c->commandLine() << "] dir ["
        << c->directory() << "] style " << c->windowStyle() << " wait " << c->wait();
  } else if (auto c = dynamic_cast<const ZCommandSound*>(&command)) {
    out << " sound " << c->soundType() << " index " << c->index() << " file [" << c->filePath()
        << "] loop " << c->loop() << " wait " << c->wait();
  } else if (auto c = dynamic_cast<const ZCommandInternet*>(&command)) {
    out << " function " << c->function() << " target [" << c->target() << ']';
  }
  return out.str();
}
