#include "ui/window_target.h"

#include "common/app_context.h"
#include "common/gdi_objects.h"
#include "common/window_tree.h"
#include "resources/zavotra_ids.h"

namespace {
constexpr int kFrameWidth = 6;

bool OwnedByThisProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

// Windows no application rule could be meant for.
bool PassedOver(HWND window) {
  if (!window || window == MainWindow() || OwnedByThisProcess(window)) return true;
  const std::string className = WindowClassName(window);
  return className == "#32769" || className == "#32768";  // the desktop, a menu
}
}  // namespace

void InvertWindowFrame(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  ZWindowDC dc(window, ZWindowDC::kWholeWindow);
  if (!dc.get()) return;
  PatBlt(dc.get(), 0, 0, width, kFrameWidth, DSTINVERT);
  PatBlt(dc.get(), 0, height - kFrameWidth, width, kFrameWidth, DSTINVERT);
  PatBlt(dc.get(), 0, kFrameWidth, kFrameWidth, height - 2 * kFrameWidth, DSTINVERT);
  PatBlt(dc.get(), width - kFrameWidth, kFrameWidth, kFrameWidth, height - 2 * kFrameWidth, DSTINVERT);
}

ZWindowTarget::ZWindowTarget(HWND dialog, int iconId, Listener listener)
    : dialog_(dialog), iconId_(iconId), listener_(std::move(listener)) {}

ZWindowTarget::~ZWindowTarget() { end(); }

bool ZWindowTarget::onButtonDown(POINT clientPoint) {
  if (capturing()) return true;
  HWND icon = GetDlgItem(dialog_, iconId_);
  if (!icon || !IsWindowVisible(icon)) return false;
  RECT rect;
  GetWindowRect(icon, &rect);
  POINT screen = clientPoint;
  ClientToScreen(dialog_, &screen);
  if (!PtInRect(&rect, screen)) return false;
  chosen_ = nullptr;
  HCURSOR cursor = LoadCursorA(AppInstance(), MAKEINTRESOURCEA(IDC_TARGET_CURSOR));
  previousCursor_ = SetCursor(cursor ? cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS)));
  // No cursor was shown before: remember the arrow, so that "capturing" holds.
  if (!previousCursor_) previousCursor_ = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  SetCapture(dialog_);
  ShowWindow(icon, SW_HIDE);
  return true;
}

bool ZWindowTarget::onMouseMove(POINT clientPoint) {
  if (!capturing()) return false;
  // The message's own point: the cursor may already be somewhere else.
  POINT screen = clientPoint;
  ClientToScreen(dialog_, &screen);
  HWND window = TopLevelWindowAt(screen);
  if (window == highlighted_ || PassedOver(window)) return true;
  if (highlighted_) InvertWindowFrame(highlighted_);
  highlighted_ = window;
  chosen_ = window;
  InvertWindowFrame(window);
  if (listener_) listener_(window);
  return true;
}

bool ZWindowTarget::onButtonUp() {
  if (!capturing()) return false;
  end();
  return true;
}

void ZWindowTarget::onCaptureChanged() {
  // Another window took the mouse (a message box, Alt+Tab): the drag is over.
  if (capturing() && !ending_) end();
}

void ZWindowTarget::end() {
  if (!capturing()) return;
  ending_ = true;
  if (highlighted_) InvertWindowFrame(highlighted_);
  highlighted_ = nullptr;
  SetCursor(previousCursor_);
  previousCursor_ = nullptr;
  if (GetCapture() == dialog_) ReleaseCapture();
  if (HWND icon = GetDlgItem(dialog_, iconId_)) ShowWindow(icon, SW_SHOW);
  ending_ = false;
}
