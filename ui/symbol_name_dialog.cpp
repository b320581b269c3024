#include "ui/symbol_name_dialog.h"

#include "common/app_context.h"
#include "common/dialog_helpers.h"
#include "resources/zavotra_ids.h"
#include "ui/dialog_state.h"

namespace {
constexpr int kNameBuffer = 256;

void UpdateOk(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(GetDlgItem(dialog, IDC_SYMBOL_NAME)) > 0);
}

INT_PTR CALLBACK NameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  std::string* name = DialogStateOf<std::string>(dialog, message, lParam);
  if (!name) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      CenterWindow(dialog, GetParent(dialog));
      SendDlgItemMessageA(dialog, IDC_SYMBOL_NAME, EM_LIMITTEXT, kNameBuffer - 1, 0);
      SetDlgItemTextA(dialog, IDC_SYMBOL_NAME, name->c_str());
      UpdateOk(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_SYMBOL_NAME:
          if (HIWORD(wParam) == EN_CHANGE) UpdateOk(dialog);
          return TRUE;
        case IDOK: {
          char text[kNameBuffer] = {};
          GetDlgItemTextA(dialog, IDC_SYMBOL_NAME, text, kNameBuffer);
          if (!text[0]) return TRUE;  // OK pressed by a keystroke while disabled
          *name = text;
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}
}  // namespace

bool AskSymbolName(HWND owner, std::string& name) {
  std::string entered = name;
  ZModalDialogScope modal;
  if (DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_SYMBOL_NAME), owner, NameProc,
                      reinterpret_cast<LPARAM>(&entered)) != IDOK)
    return false;
  name = entered;
  return true;
}
