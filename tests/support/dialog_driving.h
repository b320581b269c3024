// Driving a dialog from a second thread of the test, by control ids, as the
// user's clicks and typing would. Windows tests.
#pragma once
#include <windows.h>

#include <string>

// The visible dialog with this caption that has the control; null when none
// appears within `ms`.
inline HWND WaitForDialog(const char* caption, int controlId, DWORD ms = 10000) {
  for (DWORD waited = 0; waited < ms; waited += 10) {
    HWND found = FindWindowA("#32770", caption);
    if (found && IsWindowVisible(found) && (controlId == 0 || GetDlgItem(found, controlId))) return found;
    Sleep(10);
  }
  return nullptr;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD ms = 5000) {
  for (DWORD waited = 0; waited < ms; waited += 10) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

inline std::string ItemText(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

inline void SetItemText(HWND dialog, int id, const char* text) {
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

inline bool ItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// Selects an item of a combo box or list box and tells the dialog, as a click would.
inline void ChooseItem(HWND dialog, int id, LRESULT index, bool listBox = false) {
  HWND control = GetDlgItem(dialog, id);
  SendMessageA(control, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, listBox ? LBN_SELCHANGE : CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(control));
}

// The page a wizard shows: the one dialog inside its frame.
inline HWND ShownPage(HWND wizard) { return FindWindowExA(wizard, nullptr, "#32770", nullptr); }

inline void Click(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A click that does not wait for its answer: for a button that opens a modal
// window, which the driving thread then answers.
inline void PostClick(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
