#include "ui/password_manager.h"

#include <string>

#include "actions/credential_table.h"
#include "actions/web_service_hooks.h"
#include "common/app_context.h"
#include "common/default_key.h"
#include "common/dialog_helpers.h"
#include "common/id_text_table.h"
#include "common/secure_wipe.h"
#include "resources/zavotra_ids.h"
#include "ui/dialog_context.h"
#include "ui/dialog_state.h"

namespace {

const char kGroupsFile[] = "lgngrps";
constexpr int kFieldLimit = 1024;

struct ManagerState {
  // Set while the dialog fills the edits itself: their change notices are
  // not the user's typing.
  bool filling = false;
};

// The credential key of the selected line; false when none is selected.
bool SelectedKey(HWND dialog, uint32_t& key) {
  const LRESULT index = SendDlgItemMessageA(dialog, IDC_PASSWORDS_WEBSITES, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return false;
  key = static_cast<uint32_t>(
      SendDlgItemMessageA(dialog, IDC_PASSWORDS_WEBSITES, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
  return true;
}

void EnableEditing(HWND dialog, bool on) {
  for (int id : {IDC_PASSWORDS_LOGIN, IDC_PASSWORDS_PASSWORD, IDC_PASSWORDS_DELETE})
    EnableWindow(GetDlgItem(dialog, id), on);
}

void FillEdits(HWND dialog, ManagerState& state, const CredentialPair* pair) {
  state.filling = true;
  SetDialogItemUtf8(dialog, IDC_PASSWORDS_LOGIN, pair ? pair->login : std::string());
  SetDialogItemUtf8(dialog, IDC_PASSWORDS_PASSWORD, pair ? pair->password : std::string());
  state.filling = false;
}

void Open(HWND dialog) {
  CenterWindow(dialog, GetWindow(dialog, GW_OWNER));
  ZIdTextTable groups;
  const std::string path = DialogContext().systemFolder + kGroupsFile;
  groups.readEncrypted(path.c_str(), DefaultKey().withUsedLength(ZKeyBlock::kServiceLength));
  HWND list = GetDlgItem(dialog, IDC_PASSWORDS_WEBSITES);
  for (const auto& entry : Credentials().entries()) {
    const std::string* name = groups.find(entry.first);
    const LRESULT index =
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name ? name->c_str() : ""));
    if (index >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(entry.first));
  }
  for (int id : {IDC_PASSWORDS_LOGIN, IDC_PASSWORDS_PASSWORD})
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kFieldLimit - 1, 0);
}

void SelectionChanged(HWND dialog, ManagerState& state) {
  uint32_t key = 0;
  const bool selected = SelectedKey(dialog, key);
  EnableEditing(dialog, selected);
  const CredentialTable::Pairs* pairs = selected ? Credentials().find(key) : nullptr;
  FillEdits(dialog, state, pairs && !pairs->empty() ? &pairs->front() : nullptr);
}

// The user typed in one of the edits: the first pair of the key takes it.
void FieldEdited(HWND dialog, int id) {
  uint32_t key = 0;
  CredentialTable::Pairs* pairs = SelectedKey(dialog, key) ? Credentials().find(key) : nullptr;
  if (!pairs) return;
  if (pairs->empty()) pairs->emplace_back();
  std::string& field = id == IDC_PASSWORDS_LOGIN ? pairs->front().login : pairs->front().password;
  std::string typed = DialogItemUtf8(dialog, id, kFieldLimit);
  SecureWipe(field);
  field.swap(typed);
  SecureWipe(typed);
}

void DeleteSelected(HWND dialog, ManagerState& state) {
  uint32_t key = 0;
  if (!SelectedKey(dialog, key)) return;
  Credentials().remove(key);
  const LRESULT index = SendDlgItemMessageA(dialog, IDC_PASSWORDS_WEBSITES, LB_GETCURSEL, 0, 0);
  SendDlgItemMessageA(dialog, IDC_PASSWORDS_WEBSITES, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendDlgItemMessageA(dialog, IDC_PASSWORDS_WEBSITES, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  FillEdits(dialog, state, nullptr);
  EnableEditing(dialog, false);
}

// Every way out keeps what was changed: a failed write is not reported, and
// the table in memory keeps the changes.
void Close(HWND dialog) {
  if (WebServiceHooks().saveCredentials) WebServiceHooks().saveCredentials();
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK ManagerProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ManagerState* state = DialogStateOf<ManagerState>(dialog, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Open(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PASSWORDS_WEBSITES:
          if (HIWORD(wParam) == LBN_SELCHANGE) SelectionChanged(dialog, *state);
          return TRUE;
        case IDC_PASSWORDS_LOGIN:
        case IDC_PASSWORDS_PASSWORD:
          if (HIWORD(wParam) == EN_CHANGE && !state->filling) FieldEdited(dialog, LOWORD(wParam));
          return TRUE;
        case IDC_PASSWORDS_DELETE:
          DeleteSelected(dialog, *state);
          return TRUE;
        case IDC_PASSWORDS_CLOSE:
        case IDCANCEL:
          Close(dialog);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

void RunPasswordManager(HWND owner) {
  ZModalDialogScope modal;
  ManagerState state;
  DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_PASSWORD_MANAGER), owner, ManagerProcedure,
                  reinterpret_cast<LPARAM>(&state));
}
