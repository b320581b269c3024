#include "tools/distribution/default_actions.h"

namespace {
// Virtual key codes of the keys the actions press.
constexpr uint8_t kControl = 0x11, kAlt = 0x12, kLeft = 0x25, kRight = 0x27, kHome = 0x24, kEnd = 0x23,
                  kDelete = 0x2E, kF4 = 0x73, kF5 = 0x74;

// Theme events (the fixed event table of the sound themes).
enum Event : int {
  kCopyEvent = 2, kPasteEvent = 3, kDeleteEvent = 4, kUndoEvent = 5, kRedoEvent = 6, kNewEvent = 7,
  kQuitEvent = 11, kShowWindowEvent = 13, kShowDesktopEvent = 15, kSelectAllEvent = 16,
  kMinimizeEvent = 17, kMaximizeEvent = 18, kFirstEvent = 25, kLastEvent = 26, kBackEvent = 27,
  kForwardEvent = 28, kRefreshEvent = 34
};

DefaultAction Keys(const char* name, const char* symbol, int event, std::vector<uint8_t> keys, const char* what) {
  return DefaultAction{name, symbol, event, DefaultSystemFunction::None, std::move(keys), what};
}

DefaultAction System(const char* name, const char* symbol, int event, DefaultSystemFunction function,
                     const char* what) {
  return DefaultAction{name, symbol, event, function, {}, what};
}
}  // namespace

const std::vector<DefaultAction>& DefaultCommonActions() {
  static const std::vector<DefaultAction> actions = {
      Keys("Back", "Left", kBackEvent, {kAlt, kLeft}, "Alt+Left: the previous page"),
      Keys("Forward", "Right", kForwardEvent, {kAlt, kRight}, "Alt+Right: the next page"),
      Keys("Scroll to top", "Up", kFirstEvent, {kControl, kHome}, "Ctrl+Home: the top of the document"),
      Keys("Scroll to bottom", "Down", kLastEvent, {kControl, kEnd}, "Ctrl+End: the end of the document"),
      System("Maximize", "Caret Up", kMaximizeEvent, DefaultSystemFunction::Maximize,
             "maximizes the window, or restores a maximized one"),
      System("Minimize", "Caret Down", kMinimizeEvent, DefaultSystemFunction::Minimize, "minimizes the window"),
      Keys("Close window", "Down Right", kQuitEvent, {kAlt, kF4}, "Alt+F4: closes the window"),
      Keys("New tab", "Up Right", kNewEvent, {kControl, 'T'}, "Ctrl+T: a new tab in the browser"),
      Keys("Reload", "Circle Clockwise", kRefreshEvent, {kF5}, "F5: loads the page again"),
      Keys("Copy", "C", kCopyEvent, {kControl, 'C'}, "Ctrl+C: copies the selection"),
      Keys("Paste", "P", kPasteEvent, {kControl, 'V'}, "Ctrl+V: pastes"),
      Keys("Undo", "Angle Left", kUndoEvent, {kControl, 'Z'}, "Ctrl+Z: undoes the last change"),
      Keys("Redo", "Angle Right", kRedoEvent, {kControl, 'Y'}, "Ctrl+Y: does it again"),
      Keys("Select all", "S", kSelectAllEvent, {kControl, 'A'}, "Ctrl+A: selects everything"),
      Keys("Delete", "Scribble", kDeleteEvent, {kDelete}, "Delete: deletes the selection"),
      System("Show desktop", "W", kShowDesktopEvent, DefaultSystemFunction::MinimizeAll,
             "minimizes every window"),
      System("Show Zavotra", "Z", kShowWindowEvent, DefaultSystemFunction::ShowMainWindow,
             "shows the Zavotra window"),
  };
  return actions;
}

const DefaultAction* FindDefaultAction(const std::string& name) {
  for (const DefaultAction& action : DefaultCommonActions())
    if (action.name == name) return &action;
  return nullptr;
}
