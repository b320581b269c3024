// Plug-in files, symbols and windows for the plug-in manager and capture tests.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "actions/macro.h"
#include "actions/web_service.h"
#include "common/default_key.h"
#include "gesture/symbol.h"
#include "plugins/plugin.h"

// Drawn top-left, down, then right.
inline Symbol LSymbol(uint32_t identifier) {
  Symbol symbol;
  symbol.setName("L");
  symbol.setIdentifier(identifier);
  Shape& shape = symbol.addShape();
  Stroke& stroke = shape.addStroke();
  for (int y = 0; y <= 100; y += 10) stroke.push_back({0, y});
  for (int x = 10; x <= 100; x += 10) stroke.push_back({x, 100});
  return symbol;
}

inline std::unique_ptr<ZMacro> Macro(const std::string& name, uint32_t symbolId, uint16_t hotkey = 0) {
  auto macro = std::make_unique<ZMacro>();
  macro->setName(name);
  macro->setHotkey(hotkey);
  macro->setSymbol(std::make_unique<Symbol>(LSymbol(symbolId)));
  return macro;
}

struct PluginHeader {
  const char* file;
  const char* name;
  const char* key;
  const char* caption;
  int32_t id = 1;
};

// Writes a plug-in with the header of `header` and the given actions.
inline std::string WritePlugin(const std::string& folder, const PluginHeader& header,
                               std::unique_ptr<ZAction> a = nullptr, std::unique_ptr<ZAction> b = nullptr) {
  ZPlugin plugin;
  plugin.setName(header.name);
  plugin.setKey(header.key);
  plugin.setCaption(header.caption);
  plugin.setId(header.id);
  if (a) plugin.addAction(std::move(a));
  if (b) plugin.addAction(std::move(b));
  const std::string path = folder + "\\" + header.file;
  plugin.saveAs(path, DefaultKey());
  return path;
}

// A visible top-level window of its own class with a caption.
class TestWindow {
 public:
  TestWindow(const char* className, const char* caption, int x = 100, int y = 100, int size = 300) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST, className, caption, WS_POPUP | WS_VISIBLE, x, y, size, size,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    Pump();
  }
  ~TestWindow() {
    if (window_) DestroyWindow(window_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return window_; }

  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }

 private:
  HWND window_ = nullptr;
};
