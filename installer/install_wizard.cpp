#include "installer/install_wizard.h"

#include <commctrl.h>
#include <shlobj.h>
#include <prsht.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/dialog_helpers.h"
#include "common/memory_file.h"
#include "common/path_text.h"
#include "common/string_resource.h"
#include "installer/install_ids.h"
#include "installer/installation.h"
#include "installer/installer_session.h"
#include "installer/proposed_folder.h"
#include "installer/running_program.h"
#include "installer/system_folders.h"

namespace {

constexpr UINT kFinishDelayMs = 32800;

ZInstallerSession& SessionOf(HWND page) {
  return *reinterpret_cast<ZInstallerSession*>(GetWindowLongPtrA(page, GWLP_USERDATA));
}

// Keeps the session pointer of the page's PROPSHEETPAGE on the page.
void RememberSession(HWND page, LPARAM initParam) {
  const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEA*>(initParam);
  SetWindowLongPtrA(page, GWLP_USERDATA, sheetPage->lParam);
}

void SetWizardButtons(HWND page, DWORD buttons) { PropSheet_SetWizButtons(GetParent(page), buttons); }

// Tells the sheet the page's answer to a notification.
INT_PTR Answer(HWND page, LONG_PTR result) {
  SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
  return TRUE;
}

// The licence as the edit control shows it: every line end as CR LF.
std::string LicenceText(const std::string& path) {
  std::vector<uint8_t> content;
  if (!ReadWholeFile(path.c_str(), content)) return std::string();
  std::string text;
  for (size_t i = 0; i < content.size(); ++i) {
    const char c = static_cast<char>(content[i]);
    if (c == '\n' && (i == 0 || content[i - 1] != '\r')) text += '\r';
    if (c != '\0') text += c;
  }
  return text;
}

INT_PTR CALLBACK WelcomePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    RememberSession(page, lParam);
    return TRUE;
  }
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_SETACTIVE) {
    SetWizardButtons(page, PSWIZB_NEXT);
    return Answer(page, 0);
  }
  return FALSE;
}

void ShowLicenceChoice(HWND page) {
  const bool agreed = IsDlgButtonChecked(page, IDC_LICENSE_AGREE) == BST_CHECKED;
  SetWizardButtons(page, agreed ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

INT_PTR CALLBACK LicensePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      RememberSession(page, lParam);
      SetDlgItemTextA(page, IDC_LICENSE_TEXT, LicenceText(SessionOf(page).distribution + "license.txt").c_str());
      CheckRadioButton(page, IDC_LICENSE_DISAGREE, IDC_LICENSE_AGREE, IDC_LICENSE_DISAGREE);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED &&
          (LOWORD(wParam) == IDC_LICENSE_AGREE || LOWORD(wParam) == IDC_LICENSE_DISAGREE)) {
        ShowLicenceChoice(page);
      }
      return FALSE;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->code == PSN_SETACTIVE) {
        ShowLicenceChoice(page);
        return Answer(page, 0);
      }
      return FALSE;
  }
  return FALSE;
}

void BrowseForFolder(HWND page) {
  LPITEMIDLIST root = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(page, CSIDL_DRIVES, &root))) root = nullptr;
  BROWSEINFOA browse = {};
  browse.hwndOwner = page;
  browse.pidlRoot = root;
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
  if (chosen) {
    char folder[MAX_PATH] = "";
    if (SHGetPathFromIDListA(chosen, folder)) SetDlgItemTextA(page, IDC_FOLDER_EDIT, folder);
    CoTaskMemFree(chosen);
  }
  if (root) CoTaskMemFree(root);
}

// Next on the folder page: install into the folder, then move on. A folder
// box without a usable full path keeps the page, with a word why.
LONG_PTR InstallFromFolderPage(HWND page) {
  ZInstallerSession& session = SessionOf(page);
  char text[MAX_PATH + 1] = "";
  GetDlgItemTextA(page, IDC_FOLDER_EDIT, text, MAX_PATH + 1);
  std::string folder = text;
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  if (!IsUsableInstallFolder(folder)) {
    MessageBoxA(page, LoadAnsiString(IDS_FOLDER_NOT_USABLE).c_str(), LoadAnsiString(IDS_INSTALL_TITLE).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(page, IDC_FOLDER_EDIT));
    return -1;
  }
  EnableWindow(GetDlgItem(page, IDC_FOLDER_EDIT), FALSE);
  EnableWindow(GetDlgItem(page, IDC_FOLDER_BROWSE), FALSE);
  SetWizardButtons(page, 0);
  AppendBackslash(folder);
  session.installFolder = folder;
  ZInstallProgress progress;
  progress.bar = GetDlgItem(page, IDC_INSTALL_PROGRESS);
  progress.status = GetDlgItem(page, IDC_INSTALL_STATUS);
  ZInstallation(session.distribution, folder, InstallsForAllUsers()).run(progress);
  return 0;
}

INT_PTR CALLBACK FolderPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      RememberSession(page, lParam);
      SetDlgItemTextA(page, IDC_FOLDER_EDIT, SessionOf(page).installFolder.c_str());
      SendDlgItemMessageA(page, IDC_FOLDER_EDIT, EM_LIMITTEXT, MAX_PATH, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_FOLDER_BROWSE && HIWORD(wParam) == BN_CLICKED) BrowseForFolder(page);
      return FALSE;
    case WM_NOTIFY:
      switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
          SetFocus(GetDlgItem(page, IDC_FOLDER_EDIT));
          SetWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
          return Answer(page, 0);
        case PSN_WIZNEXT:
          return Answer(page, InstallFromFolderPage(page));
      }
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK FinishPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      RememberSession(page, lParam);
      return TRUE;
    case WM_TIMER:
      if (wParam == ID_TIMER_ENABLE_FINISH) {
        KillTimer(page, ID_TIMER_ENABLE_FINISH);
        SetWizardButtons(page, PSWIZB_FINISH);
      }
      return TRUE;
    case WM_NOTIFY:
      switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE: {
          // The installation is over: it can no longer be cancelled.
          SetWizardButtons(page, PSWIZB_DISABLEDFINISH);
          EnableWindow(GetDlgItem(GetParent(page), IDCANCEL), FALSE);
          const std::string clip = SessionOf(page).distribution + "anim.avi";
          HWND animation = GetDlgItem(page, IDC_FINISH_ANIMATION);
          if (Animate_Open(animation, const_cast<char*>(clip.c_str()))) Animate_Play(animation, 0, -1, 1);
          SetTimer(page, ID_TIMER_ENABLE_FINISH, kFinishDelayMs, nullptr);
          return Answer(page, 0);
        }
        case PSN_WIZFINISH:
          StartInstalledProgram(SessionOf(page).installFolder);
          return Answer(page, FALSE);
      }
      return FALSE;
  }
  return FALSE;
}

BOOL QueryCancelAllowed(HWND page, UINT message, LPARAM lParam) {
  return message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_QUERYCANCEL;
}

template <DLGPROC Page>
INT_PTR CALLBACK CancellablePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  // Cancel is allowed on every page and ends the installer.
  if (QueryCancelAllowed(page, message, lParam)) return Answer(page, FALSE);
  return Page(page, message, wParam, lParam);
}

PROPSHEETPAGEA MakePage(int dialogId, DLGPROC procedure, ZInstallerSession& session) {
  PROPSHEETPAGEA page = {};
  page.dwSize = sizeof page;
  page.hInstance = GetModuleHandleA(nullptr);
  page.pszTemplate = MAKEINTRESOURCEA(dialogId);
  page.pfnDlgProc = procedure;
  page.lParam = reinterpret_cast<LPARAM>(&session);
  return page;
}

}  // namespace

HWND OpenInstallWizard(ZInstallerSession& session) {
  PROPSHEETPAGEA pages[] = {
      MakePage(IDD_INSTALL_WELCOME, CancellablePage<WelcomePage>, session),
      MakePage(IDD_INSTALL_LICENSE, CancellablePage<LicensePage>, session),
      MakePage(IDD_INSTALL_FOLDER, CancellablePage<FolderPage>, session),
      MakePage(IDD_INSTALL_FINISH, CancellablePage<FinishPage>, session),
  };
  const std::string caption = LoadAnsiString(IDS_INSTALL_TITLE);
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD | PSH_MODELESS;
  header.hwndParent = session.mainWindow;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = caption.c_str();
  header.nPages = sizeof pages / sizeof pages[0];
  header.ppsp = pages;
  HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
  if (!sheet || sheet == reinterpret_cast<HWND>(-1)) return nullptr;
  CenterWindow(sheet, session.mainWindow);
  return sheet;
}
