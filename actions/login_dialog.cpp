#include "actions/login_dialog.h"

#include <string>

#include "actions/credential_table.h"
#include "actions/service_list.h"
#include "actions/web_service.h"
#include "actions/web_service_hooks.h"
#include "common/app_context.h"
#include "common/dialog_helpers.h"
#include "common/secure_wipe.h"
#include "resources/zavotra_ids.h"

namespace {

constexpr int kFieldLimit = 1024;

bool FieldEmpty(HWND dialog, int id) { return GetWindowTextLengthW(GetDlgItem(dialog, id)) == 0; }

const ServiceDefinition* ChosenService(HWND dialog) {
  const LRESULT index = SendDlgItemMessageA(dialog, IDC_LOGIN_SERVICES, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return nullptr;
  const LRESULT id = SendDlgItemMessageA(dialog, IDC_LOGIN_SERVICES, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return WebServices().find(static_cast<int32_t>(id));
}

void ShowStoredPair(HWND dialog) {
  const ServiceDefinition* service = ChosenService(dialog);
  const CredentialTable::Pairs* pairs = service ? Credentials().find(service->credentialKey()) : nullptr;
  const bool stored = pairs && !pairs->empty();
  SetDialogItemUtf8(dialog, IDC_LOGIN_NAME, stored ? pairs->front().login : std::string());
  SetDialogItemUtf8(dialog, IDC_LOGIN_PASSWORD, stored ? pairs->front().password : std::string());
}

void UpdateOk(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDOK), ChosenService(dialog) && !FieldEmpty(dialog, IDC_LOGIN_NAME) &&
                                              !FieldEmpty(dialog, IDC_LOGIN_PASSWORD));
}

void FillServices(HWND dialog, int32_t selectedId) {
  HWND combo = GetDlgItem(dialog, IDC_LOGIN_SERVICES);
  for (const ServiceDefinition& service : WebServices().services()) {
    if (service.loginCount() == 0) continue;
    const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(service.displayName().c_str()));
    if (index < 0) continue;
    SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(service.id));
    if (service.id == selectedId) SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  if (SendMessageA(combo, CB_GETCURSEL, 0, 0) == CB_ERR) SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void Accept(HWND dialog, ZWebService& action) {
  const ServiceDefinition* service = ChosenService(dialog);
  if (!service) return;
  CredentialPair pair{DialogItemUtf8(dialog, IDC_LOGIN_NAME, kFieldLimit), DialogItemUtf8(dialog, IDC_LOGIN_PASSWORD, kFieldLimit)};
  action.setServiceId(service->id);
  Credentials().replace(service->credentialKey(), pair);
  SecureWipe(pair.login);
  SecureWipe(pair.password);
  if (WebServiceHooks().saveCredentials) WebServiceHooks().saveCredentials();
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK LoginProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* action = reinterpret_cast<ZWebService*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      action = reinterpret_cast<ZWebService*>(lParam);
      SendDlgItemMessageA(dialog, IDC_LOGIN_NAME, EM_LIMITTEXT, kFieldLimit - 1, 0);
      SendDlgItemMessageA(dialog, IDC_LOGIN_PASSWORD, EM_LIMITTEXT, kFieldLimit - 1, 0);
      FillServices(dialog, action->serviceId());
      ShowStoredPair(dialog);
      UpdateOk(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_LOGIN_SERVICES:
          if (HIWORD(wParam) == CBN_SELCHANGE) {
            ShowStoredPair(dialog);
            UpdateOk(dialog);
          }
          return TRUE;
        case IDC_LOGIN_NAME:
        case IDC_LOGIN_PASSWORD:
          if (HIWORD(wParam) == EN_CHANGE) UpdateOk(dialog);
          return TRUE;
        case IDOK:
          if (IsWindowEnabled(GetDlgItem(dialog, IDOK))) Accept(dialog, *action);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

bool ShowLoginDialog(HWND owner, ZWebService& action) {
  ZModalDialogScope modal;
  return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_SERVICE_LOGIN), owner, LoginProcedure,
                         reinterpret_cast<LPARAM>(&action)) == IDOK;
}
