// What the program does when a symbol is recognised or a hotkey pressed: a
// named action with its own copy of the triggering symbol and an optional
// hotkey. ZMacro and ZWebService are the two kinds.
#pragma once
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <memory>
#include <string>

#include "gesture/symbol.h"

class ZPlugin;

class ZAction {
 public:
  // Slot order of the virtual operations: execute, destructor, clone,
  // equals, save.
  // Performs the action on the calling thread; `window` is the progress
  // window or null.
  virtual bool execute(HWND window) = 0;
  virtual ~ZAction();
  // A deep copy of the same kind that belongs to no plug-in.
  virtual std::unique_ptr<ZAction> clone() const = 0;
  // Compares what the kind defines as its content (not name, symbol, hotkey).
  virtual bool equals(const ZAction& other) const = 0;
  // Writes the action into an open storage; `topLevel` when the storage is
  // the root of a file of its own. Throws ZWriteError.
  virtual void save(IStorage* storage, bool topLevel) const;

  // Reads an action of either kind (see ReadStoredAction). Throws ZReadError.
  static std::unique_ptr<ZAction> load(IStorage* storage, bool topLevel);

  // Starts the action: on this thread, or on a worker thread of its own over
  // a clone, so that the action in its plug-in may be edited or deleted while
  // it runs. A non-null `window` (a progress window) is destroyed after a
  // synchronous run, or sent WM_COMMAND IDCANCEL when the worker is done.
  // Returns the result of execute when synchronous; when asynchronous,
  // whether the worker started.
  bool run(HWND window, bool asynchronous);

  ZPlugin* plugin() const { return plugin_; }
  void setPlugin(ZPlugin* plugin) { plugin_ = plugin; }
  // System code page.
  const std::string& name() const { return name_; }
  void setName(const std::string& name) { name_ = name; }
  const Symbol* symbol() const { return symbol_.get(); }
  Symbol* symbol() { return symbol_.get(); }
  void setSymbol(std::unique_ptr<Symbol> symbol) { symbol_ = std::move(symbol); }
  // Low byte the virtual key, high byte the modifiers as the hotkey control
  // reports them (1 Shift, 2 Ctrl, 4 Alt, 8 extended); 0 for none.
  uint16_t hotkey() const { return hotkey_; }
  void setHotkey(uint16_t hotkey) { hotkey_ = hotkey; }

 protected:
  ZAction() = default;
  // Copies name, hotkey and a deep copy of the symbol; not the plug-in.
  ZAction(const ZAction& other);
  ZAction& operator=(const ZAction&) = delete;

 private:
  ZPlugin* plugin_ = nullptr;
  std::string name_;
  std::unique_ptr<Symbol> symbol_;
  uint16_t hotkey_ = 0;
};
