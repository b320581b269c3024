#include "shell/profile_dialogs.h"

#include <vector>

#include "common/default_key.h"
#include "common/password_key.h"
#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"
#include "shell/password_file.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"

namespace {
constexpr size_t kPasswordBuffer = 1024;
constexpr size_t kMinimumLength = 3;

std::string ControlText(HWND dialog, int id) {
  std::vector<char> buffer(kPasswordBuffer);
  GetDlgItemTextA(dialog, id, buffer.data(), static_cast<int>(buffer.size()));
  std::string text(buffer.data());
  SecureZeroMemory(buffer.data(), buffer.size());
  return text;
}

void Enable(HWND dialog, int id, bool on) { EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE); }

template <typename State>
State* StateOf(HWND dialog, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The password prompt and the chooser come up while the splash screen is
// still topmost: they go in the topmost band too, so they are never under it.
void ForceForeground(HWND dialog) {
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(dialog);
}

// --- 309: password prompt ---------------------------------------------------
struct PasswordState {
  std::string name, passwordFile;
  ZKeyBlock accepted;
};

void ShowPrompt(HWND dialog, const std::string& name) {
  std::string prompt = ControlText(dialog, IDC_PASSWORD_PROMPT);
  const size_t at = prompt.find("%s");
  if (at != std::string::npos) prompt.replace(at, 2, name);
  SetDlgItemTextA(dialog, IDC_PASSWORD_PROMPT, prompt.c_str());
}

INT_PTR CALLBACK PasswordProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PasswordState* state = StateOf<PasswordState>(dialog, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      ShowPrompt(dialog, state->name);
      SendDlgItemMessageA(dialog, IDC_PASSWORD_EDIT, EM_LIMITTEXT, kPasswordBuffer - 1, 0);
      ForceForeground(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        std::string typed = ControlText(dialog, IDC_PASSWORD_EDIT);
        const ZKeyBlock candidate = DeriveKey(typed.c_str());
        SecureZeroMemory(&typed[0], typed.size());
        if (CheckPasswordFile(state->passwordFile, candidate, state->accepted)) {
          EndDialog(dialog, IDOK);
        } else {
          // Wrong: the dialog stays for another try.
          SetDlgItemTextA(dialog, IDC_PASSWORD_EDIT, "");
          SetFocus(GetDlgItem(dialog, IDC_PASSWORD_EDIT));
          MessageBeep(MB_ICONEXCLAMATION);
        }
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

// --- 336: profile chooser ---------------------------------------------------
void FillProfileNames(HWND combo, bool withEmptyEntry) {
  if (withEmptyEntry) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
  for (const ZProfile& profile : Profiles().profiles())
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(profile.name.c_str()));
}

std::string SelectedComboText(HWND dialog, int id) {
  HWND combo = GetDlgItem(dialog, id);
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return std::string();
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return std::string();
  std::vector<char> text(static_cast<size_t>(length) + 1);
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return std::string(text.data());
}

INT_PTR CALLBACK ChooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FillProfileNames(GetDlgItem(dialog, IDC_PROFILE_LIST), false);
      Enable(dialog, IDOK, false);
      ForceForeground(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_PROFILE_LIST && HIWORD(wParam) == CBN_SELCHANGE) {
        Enable(dialog, IDOK, SendDlgItemMessageA(dialog, IDC_PROFILE_LIST, CB_GETCURSEL, 0, 0) != CB_ERR);
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK) {
        if (SendDlgItemMessageA(dialog, IDC_PROFILE_LIST, CB_GETCURSEL, 0, 0) == CB_ERR) return TRUE;
        ZProfileResult result = Profiles().selectByName(SelectedComboText(dialog, IDC_PROFILE_LIST));
        if (result == ZProfileResult::Done || result == ZProfileResult::Unchanged) EndDialog(dialog, IDOK);
        return TRUE;  // a refused password keeps the chooser open
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

// --- 280: profile editor ----------------------------------------------------
struct EditorState {
  ZProfileEditorInput input;
  std::string source;
};

ZProfileEditorInput ReadEditor(HWND dialog) {
  ZProfileEditorInput input;
  input.name = ControlText(dialog, IDC_PROFILE_NAME);
  input.passwordProtected = IsDlgButtonChecked(dialog, IDC_PROFILE_PROTECTED) == BST_CHECKED;
  input.password = ControlText(dialog, IDC_PROFILE_PASSWORD);
  input.confirmation = ControlText(dialog, IDC_PROFILE_CONFIRMATION);
  return input;
}

bool NameInUse(const std::string& name) {
  for (const ZProfile& profile : Profiles().profiles())
    if (profile.name == name) return true;
  return false;
}

void UpdateEditor(HWND dialog) {
  const ZProfileEditorInput input = ReadEditor(dialog);
  Enable(dialog, IDC_PROFILE_PASSWORD, input.passwordProtected);
  Enable(dialog, IDC_PROFILE_CONFIRMATION, input.passwordProtected);
  Enable(dialog, IDOK, ProfileEditorInputIsValid(input) && !NameInUse(input.name));
}

INT_PTR CALLBACK EditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  EditorState* state = StateOf<EditorState>(dialog, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      FillProfileNames(GetDlgItem(dialog, IDC_PROFILE_LIST), true);
      SendDlgItemMessageA(dialog, IDC_PROFILE_LIST, CB_SETCURSEL, 0, 0);
      UpdateEditor(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PROFILE_NAME:
        case IDC_PROFILE_PASSWORD:
        case IDC_PROFILE_CONFIRMATION:
          if (HIWORD(wParam) == EN_CHANGE) UpdateEditor(dialog);
          return TRUE;
        case IDC_PROFILE_PROTECTED:
          UpdateEditor(dialog);
          return TRUE;
        case IDOK:
          state->input = ReadEditor(dialog);
          if (!ProfileEditorInputIsValid(state->input) || NameInUse(state->input.name)) return TRUE;
          state->source = SelectedComboText(dialog, IDC_PROFILE_LIST);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

// --- 308: change password ---------------------------------------------------
// Every file of the profile stayed under the old key: the user must know that
// the new password is not in force.
void ReportPasswordNotChanged(HWND owner) {
  const std::string text = LoadAnsiString(IDS_PASSWORD_NOT_CHANGED, AppInstance());
  const std::string title = LoadAnsiString(IDS_APP_TITLE, AppInstance());
  MessageBoxA(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
}

bool CurrentPasswordIsRight(HWND dialog) {
  std::string typed = ControlText(dialog, IDC_CURRENT_PASSWORD);
  const bool right = DeriveKey(typed.c_str()).sameBytes(ProfileKey());
  SecureZeroMemory(&typed[0], typed.size());
  return right;
}

void UpdateChangePassword(HWND dialog) {
  const bool protectedNow = !IsDefaultKey(ProfileKey());
  const bool unlocked = !protectedNow || CurrentPasswordIsRight(dialog);
  Enable(dialog, IDC_NEW_PASSWORD, unlocked);
  Enable(dialog, IDC_NEW_CONFIRMATION, unlocked);
  const std::string password = ControlText(dialog, IDC_NEW_PASSWORD);
  const bool matches = password == ControlText(dialog, IDC_NEW_CONFIRMATION);
  Enable(dialog, IDOK, unlocked && matches && !DeriveKey(password.c_str()).sameBytes(ProfileKey()));
}

INT_PTR CALLBACK ChangePasswordProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Enable(dialog, IDC_CURRENT_PASSWORD, !IsDefaultKey(ProfileKey()));
      UpdateChangePassword(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_CURRENT_PASSWORD:
        case IDC_NEW_PASSWORD:
        case IDC_NEW_CONFIRMATION:
          if (HIWORD(wParam) == EN_CHANGE) UpdateChangePassword(dialog);
          return TRUE;
        case IDOK: {
          UpdateChangePassword(dialog);
          if (!IsWindowEnabled(GetDlgItem(dialog, IDOK))) return TRUE;
          std::string password = ControlText(dialog, IDC_NEW_PASSWORD);
          const ZKeyBlock newKey = DeriveKey(password.c_str());
          SecureZeroMemory(&password[0], password.size());
          if (!Profiles().changePassword(newKey)) {
            ReportPasswordNotChanged(dialog);
            EndDialog(dialog, IDCANCEL);
            return TRUE;
          }
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}
}  // namespace

bool ProfileEditorInputIsValid(const ZProfileEditorInput& input) {
  if (input.name.size() < kMinimumLength) return false;
  if (!input.passwordProtected) return true;
  return input.password.size() >= kMinimumLength && input.password == input.confirmation;
}

bool AskProfilePassword(HWND owner, const std::string& profileName, const std::string& passwordFile, ZKeyBlock& key) {
  PasswordState state{profileName, passwordFile, ZKeyBlock()};
  const INT_PTR result = DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_PASSWORD), owner, PasswordProc,
                                         reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return false;
  key = state.accepted;
  return true;
}

bool ChooseProfile(HWND owner) {
  return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_PROFILE_CHOOSER), owner, ChooserProc, 0) == IDOK;
}

bool RunProfileEditor(HWND owner) {
  EditorState state;
  if (DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_PROFILE_EDITOR), owner, EditorProc,
                      reinterpret_cast<LPARAM>(&state)) != IDOK)
    return false;
  if (Profiles().create(state.input.name, state.source) != ZProfileResult::Done) return false;
  // A ticked "Password Protected" is honoured: the new profile gets the typed
  // password (a profile copied from a protected one is asked for that one first).
  const bool selected = Profiles().selectByName(state.input.name) == ZProfileResult::Done;
  if (selected && state.input.passwordProtected && !Profiles().changePassword(DeriveKey(state.input.password.c_str())))
    ReportPasswordNotChanged(owner);
  SecureZeroMemory(&state.input.password[0], state.input.password.size());
  if (selected && ProfileHooks().reloadActivePlugins) ProfileHooks().reloadActivePlugins();
  if (selected && ProfileHooks().applyProfileSettings) ProfileHooks().applyProfileSettings();
  return true;
}

bool RunChangePassword(HWND owner) {
  return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_CHANGE_PASSWORD), owner, ChangePasswordProc, 0) == IDOK;
}
