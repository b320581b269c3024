#include "plugins/connecting_dialog.h"

#include "resources/zavotra_ids.h"
#include "common/app_context.h"

namespace {
INT_PTR CALLBACK ConnectingProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) DestroyWindow(dialog);
      return TRUE;
  }
  return FALSE;
}
}  // namespace

HWND CreateConnectingDialog() {
  return CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_CONNECTING), MainWindow(),
                            ConnectingProcedure, 0);
}
