// The symbol editor (frame dialog "SYMBOLEDIT"): the user draws one of his
// own symbols as a polyline on a coarse grid (step 1, what the recognizer
// compares), paints its 32 by 32 icon (step 2) and names it; the symbol is
// then saved in the profile's symbol folder and the user's symbol list is
// reloaded at once, so that it can be chosen and matched right away.
//
// The editor works on the first stroke of the first shape of the symbol; a
// symbol is saved under a new file "NNN.zts" (the smallest free number from
// 002) when it is new, comes from outside the folder or was renamed (the
// file under the old name then stays); otherwise over its own file.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "common/key_block.h"
#include "gesture/symbol.h"

// What the editor needs from the program around it; the shell fills it in at
// start-up. Without a folder nothing can be saved.
struct ZSymbolEditorContext {
  std::function<std::string()> symbolsFolder;  // the profile's symbol folder, ending with a backslash
  std::function<ZKeyBlock()> fileKey;          // the profile's key (the default key without a password)
  std::string systemFolder;                    // where the help file "Zavotra.hlp" is
  bool advanced = false;                       // identifier and sort name shown and editable
};
ZSymbolEditorContext& SymbolEditorContext();

class SymbolEditor {
 public:
  static constexpr INT_PTR kSaved = 1;
  static constexpr INT_PTR kCancelled = 2;

  // The modal editor over `symbol` (the open dialog counts as a modal
  // dialog of the program). kSaved: the symbol was saved and the user's list
  // reloaded, and `symbol` is what was saved, with its file's path.
  // kCancelled: `symbol` is untouched.
  static INT_PTR Run(HWND owner, Symbol& symbol);

  // What a new symbol starts as: one shape with a blank icon and one empty stroke.
  static Symbol NewSymbol();
};

// For the action wizard's "I want to design a new symbol" and the main
// window's "New Symbol": runs the editor on a new symbol. True when the user
// saved one; `made` is then a copy of it (also in the user's symbol list
// already). False on Cancel, `made` untouched.
bool DesignNewSymbol(HWND owner, Symbol& made);

// The main window's "Edit Symbol": the user's symbol loaded from `path`
// (as listed), opened in the editor. True when it was saved.
bool EditUserSymbol(HWND owner, const std::string& path);
