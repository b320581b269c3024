#include "actions/keystrokes.h"

#include "actions/action_workers.h"
#include "common/app_context.h"

namespace {

constexpr DWORD kHoldMs = 80;           // a synthetic Ctrl+C / Ctrl+V is held this long
constexpr DWORD kTypingStepMs = 10;     // between modifiers and key when typing
constexpr DWORD kModifierPollMs = 5;    // polling interval while the user holds a modifier

constexpr BYTE kShiftBit = 0x01;
constexpr BYTE kCtrlBit = 0x02;
constexpr BYTE kAltBit = 0x04;

bool IsDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

bool AnyModifierDown() { return IsDown(VK_MENU) || IsDown(VK_SHIFT) || IsDown(VK_CONTROL); }

BYTE ScanCodeOf(BYTE virtualKey) {
  return static_cast<BYTE>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
}

// The modifiers a VkKeyScanA shift state asks for, in the order they are
// pressed and released.
struct ModifierBit {
  BYTE bit;
  BYTE virtualKey;
};
constexpr ModifierBit kModifiers[] = {
    {kShiftBit, VK_SHIFT}, {kCtrlBit, VK_CONTROL}, {kAltBit, VK_MENU}};

void PressModifiers(BYTE shiftState) {
  for (const ModifierBit& m : kModifiers)
    if (shiftState & m.bit) PressKey(m.virtualKey, ScanCodeOf(m.virtualKey));
}

void ReleaseModifiers(BYTE shiftState) {
  for (const ModifierBit& m : kModifiers)
    if (shiftState & m.bit) ReleaseKey(m.virtualKey, ScanCodeOf(m.virtualKey));
}

// Types one character of the system code page. The thread's keyboard state
// is put back after the press and after the release so that our modifiers
// never linger in it. Returns false when the layout has no key for it.
bool TypeCharacter(char character) {
  SHORT scan = VkKeyScanA(character);
  if (scan == -1) return false;
  BYTE virtualKey = LOBYTE(scan);
  BYTE shiftState = HIBYTE(scan);
  BYTE saved[256];
  bool haveState = GetKeyboardState(saved) != FALSE;

  PressModifiers(shiftState);
  Sleep(kTypingStepMs);
  PressKey(virtualKey, ScanCodeOf(virtualKey));
  if (haveState) SetKeyboardState(saved);

  ReleaseModifiers(shiftState);
  Sleep(kTypingStepMs);
  ReleaseKey(virtualKey, ScanCodeOf(virtualKey));
  if (haveState) SetKeyboardState(saved);
  return true;
}

std::string ToSystemCodePage(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], size,
                      nullptr, nullptr);
  return result;
}

void SetCaptureNotSuspended(bool on) { SetActiveCaptureNotSuspended(on); }

bool PressCtrlWith(BYTE letter) {
  // The Ctrl+Shift or Ctrl+Alt of a hotkey still held would turn our Ctrl+V
  // into another command (paste special, or an AltGr character).
  WaitForModifiers();
  if (ActionStopRequested()) return false;
  SetCaptureNotSuspended(false);
  PressKey(VK_CONTROL);
  PressKey(letter);
  Sleep(kHoldMs);
  ReleaseKey(letter);
  ReleaseKey(VK_CONTROL);
  SetCaptureNotSuspended(true);
  return true;
}

}  // namespace

void PressKey(BYTE virtualKey, BYTE scanCode) { keybd_event(virtualKey, scanCode, 0, 0); }

void ReleaseKey(BYTE virtualKey, BYTE scanCode) {
  keybd_event(virtualKey, scanCode, KEYEVENTF_KEYUP, 0);
}

bool WaitForModifiers(DWORD limitMs) {
  // Polls with a short sleep rather than spinning: the user takes tens of
  // milliseconds to let go anyway.
  DWORD start = GetTickCount();
  while (AnyModifierDown()) {
    if (GetTickCount() - start >= limitMs) return false;
    if (!WaitUnlessStopped(kModifierPollMs)) return false;
  }
  return true;
}

bool TypeText(const std::wstring& text) {
  WaitForModifiers();
  HWND target = GetForegroundWindow();
  std::string characters = ToSystemCodePage(text);
  for (size_t i = 0; i < characters.size(); ++i) {
    if (ActionStopRequested()) return false;
    TypeCharacter(characters[i]);
    // A line break of CR LF is one Return; a lone LF stays a key of its own.
    if (characters[i] == '\r' && i + 1 < characters.size() && characters[i + 1] == '\n') ++i;
    if (GetForegroundWindow() != target) return false;
  }
  return true;
}

bool Copy() { return PressCtrlWith('C'); }

bool Paste() { return PressCtrlWith('V'); }
