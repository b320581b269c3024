// The system's web browser as a form script drives it: the browser
// application object, created out of process, its pages seen through the
// document interface of the scripts.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "actions/script_document.h"

struct IWebBrowser2;

class ZBrowserSession : public ScriptBrowser {
 public:
  // Longest wait for a page to be complete: a page that never completes (a
  // stalled server, a browser showing a dialog) must not hold the action's
  // worker for ever. 60 s is well beyond any page a service opens.
  static constexpr DWORD kReadyLimitMs = 60000;
  static constexpr DWORD kReadyPollMs = 100;

  // Null when the browser cannot be created (none installed, or COM refused).
  static std::unique_ptr<ZBrowserSession> create();
  ~ZBrowserSession() override;
  ZBrowserSession(const ZBrowserSession&) = delete;
  ZBrowserSession& operator=(const ZBrowserSession&) = delete;

  // Opens `url` (UTF-8).
  bool navigate(const std::string& url);
  // Polls the ready state until the page is complete; false when it was not
  // within `limitMs`.
  bool waitUntilReady(DWORD limitMs = kReadyLimitMs);
  // Makes the browser visible and brings its window to the foreground.
  void show();

  std::unique_ptr<ScriptDocument> document() override;
  void pressKey(ScriptKey key, int32_t count) override;

 private:
  explicit ZBrowserSession(IWebBrowser2* browser);
  HWND window() const;

  IWebBrowser2* browser_;  // owned: one reference
};
