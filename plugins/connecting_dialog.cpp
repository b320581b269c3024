#include "plugins/connecting_dialog.h"

#include <cstdio>

#include "resources/zavotra_ids.h"
#include "common/app_context.h"

namespace {
constexpr int kTextBuffer = 1024;

void FillInName(HWND dialog, const char* name) {
  char format[kTextBuffer] = {};
  GetDlgItemTextA(dialog, IDC_CONNECTING_TEXT, format, kTextBuffer);
  char text[kTextBuffer] = {};
  snprintf(text, sizeof text, format, name);
  SetDlgItemTextA(dialog, IDC_CONNECTING_TEXT, text);
}

INT_PTR CALLBACK ConnectingProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FillInName(dialog, reinterpret_cast<const char*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) DestroyWindow(dialog);
      return TRUE;
  }
  return FALSE;
}
}  // namespace

HWND CreateConnectingDialog(const std::string& name) {
  HWND dialog = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_CONNECTING), MainWindow(),
                                   ConnectingProcedure, reinterpret_cast<LPARAM>(name.c_str()));
  if (dialog) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}
