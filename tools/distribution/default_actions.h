// The actions of the common plug-in a new profile starts with: what users of
// gesture tools expect on the common symbols, each saying its name through
// the sound theme.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The system functions the actions use (the file tool maps them to the
// system command's functions).
enum class DefaultSystemFunction { None, Maximize, Minimize, MinimizeAll, ShowMainWindow };

struct DefaultAction {
  std::string name;
  std::string symbol;                     // a symbol of the default library
  int event;                              // theme event played first; -1 for none
  DefaultSystemFunction systemFunction;   // None: the keys are pressed
  std::vector<uint8_t> keys;              // virtual keys pressed together, in order
  std::string what;                       // for the help page
};

const std::vector<DefaultAction>& DefaultCommonActions();

// The action of that name; null when there is none.
const DefaultAction* FindDefaultAction(const std::string& name);
