#include "ui/plugin_editor.h"

#include <memory>
#include <string>

#include "common/app_context.h"
#include "common/default_key.h"
#include "common/dialog_helpers.h"
#include "common/errors.h"
#include "common/id_text_table.h"
#include "common/open_url.h"
#include "common/string_resource.h"
#include "plugins/plugin.h"
#include "plugins/plugin_folder.h"
#include "plugins/plugin_manager.h"
#include "resources/zavotra_ids.h"
#include "ui/dialog_context.h"
#include "ui/dialog_state.h"
#include "ui/window_target.h"

namespace {
constexpr int kTextBuffer = 1024;
const char kFirmsFile[] = "firms";
const char kLanguagesFile[] = "languages";
const char kHelpPage[] = "help\\plug_in_editor.html";

struct EditorState {
  explicit EditorState(ZPlugin& edited) : plugin(edited) {}
  ZPlugin& plugin;
  std::unique_ptr<ZWindowTarget> target;
};

std::string ControlText(HWND dialog, int id) {
  char text[kTextBuffer] = {};
  GetDlgItemTextA(dialog, id, text, kTextBuffer);
  return text;
}

std::string ClassNameOf(HWND window) {
  char name[kTextBuffer] = {};
  GetClassNameA(window, name, kTextBuffer);
  return name;
}

std::string CaptionOf(HWND window) {
  char text[kTextBuffer] = {};
  GetWindowTextA(window, text, kTextBuffer);
  return text;
}

// The service tables of the system folder, read with the default key as
// the service lists are; a missing file gives an empty list.
void FillFromTable(HWND combo, const char* fileName) {
  ZIdTextTable table;
  const std::string path = DialogContext().systemFolder + fileName;
  if (!table.readEncrypted(path.c_str(), DefaultKey().withUsedLength(ZKeyBlock::kServiceLength))) return;
  for (const auto& entry : table.entries()) {
    const LRESULT item = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.second.c_str()));
    if (item >= 0) SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(entry.first));
  }
}

bool CompanyGiven(HWND dialog) {
  HWND combo = GetDlgItem(dialog, IDC_PLUGIN_COMPANY);
  return GetWindowTextLengthA(combo) > 0 || SendMessageA(combo, CB_GETCURSEL, 0, 0) != CB_ERR;
}

void UpdateOk(HWND dialog, const ZPlugin& plugin) {
  const bool ready = !plugin.key().empty() && GetWindowTextLengthA(GetDlgItem(dialog, IDC_PLUGIN_NAME)) > 0 &&
                     CompanyGiven(dialog) &&
                     SendDlgItemMessageA(dialog, IDC_PLUGIN_LANGUAGE, CB_GETCURSEL, 0, 0) != CB_ERR &&
                     GetWindowTextLengthA(GetDlgItem(dialog, IDC_PLUGIN_CAPTION)) > 0;
  EnableWindow(GetDlgItem(dialog, IDOK), ready ? TRUE : FALSE);
}

void Initialise(HWND dialog, EditorState& state) {
  CenterWindow(dialog, GetParent(dialog));
  FillFromTable(GetDlgItem(dialog, IDC_PLUGIN_COMPANY), kFirmsFile);
  HWND languages = GetDlgItem(dialog, IDC_PLUGIN_LANGUAGE);
  const LRESULT empty = SendMessageA(languages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
  SendMessageA(languages, CB_SETITEMDATA, static_cast<WPARAM>(empty), static_cast<LPARAM>(-1));
  FillFromTable(languages, kLanguagesFile);
  for (int id : {IDC_PLUGIN_NAME, IDC_PLUGIN_CAPTION, IDC_PLUGIN_CREATOR, IDC_PLUGIN_CREATOR_URL,
                 IDC_PLUGIN_COMMENTS, IDC_PLUGIN_COMPANY})
    SendDlgItemMessageA(dialog, id, id == IDC_PLUGIN_COMPANY ? CB_LIMITTEXT : EM_LIMITTEXT, kTextBuffer - 1, 0);
  ZPlugin& plugin = state.plugin;
  state.target = std::make_unique<ZWindowTarget>(dialog, IDC_PLUGIN_TARGET, [dialog, &plugin](HWND window) {
    SetDlgItemTextA(dialog, IDC_PLUGIN_CAPTION, CaptionOf(window).c_str());
    plugin.setKey(ClassNameOf(window));
    UpdateOk(dialog, plugin);
  });
  UpdateOk(dialog, plugin);
}

// Copies the fields into the plug-in and saves it; false (told, dialog kept
// open with everything typed) when it cannot be written.
bool SaveFields(HWND dialog, ZPlugin& plugin) {
  plugin.setName(ControlText(dialog, IDC_PLUGIN_NAME));
  plugin.setCompany(ControlText(dialog, IDC_PLUGIN_COMPANY));
  const LRESULT language = SendDlgItemMessageA(dialog, IDC_PLUGIN_LANGUAGE, CB_GETCURSEL, 0, 0);
  plugin.setLanguage(static_cast<int32_t>(
      SendDlgItemMessageA(dialog, IDC_PLUGIN_LANGUAGE, CB_GETITEMDATA, static_cast<WPARAM>(language), 0)));
  plugin.setCaption(ControlText(dialog, IDC_PLUGIN_CAPTION));
  plugin.setCreator(ControlText(dialog, IDC_PLUGIN_CREATOR));
  plugin.setCreatorUrl(ControlText(dialog, IDC_PLUGIN_CREATOR_URL));
  plugin.setComments(ControlText(dialog, IDC_PLUGIN_COMMENTS));
  try {
    plugin.save(PluginManager().fileKey());
    return true;
  } catch (const ZWriteError&) {
    const std::string text = LoadAnsiString(IDS_PLUGIN_NOT_SAVED, AppInstance());
    const std::string title = LoadAnsiString(IDS_APP_TITLE, AppInstance());
    MessageBoxA(dialog, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
    return false;
  }
}

bool OnCommand(HWND dialog, EditorState& state, WORD id, WORD code) {
  switch (id) {
    case IDC_PLUGIN_NAME:
    case IDC_PLUGIN_CAPTION:
      if (code == EN_CHANGE) UpdateOk(dialog, state.plugin);
      return true;
    case IDC_PLUGIN_COMPANY:
      // A chosen item counts before its text reaches the edit field.
      if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) UpdateOk(dialog, state.plugin);
      return true;
    case IDC_PLUGIN_LANGUAGE:
      if (code == CBN_SELCHANGE) UpdateOk(dialog, state.plugin);
      return true;
    case IDOK:
      UpdateOk(dialog, state.plugin);
      if (!IsWindowEnabled(GetDlgItem(dialog, IDOK))) return true;
      if (SaveFields(dialog, state.plugin)) EndDialog(dialog, IDOK);
      return true;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return true;
    case IDHELP:
      OpenUrl(DialogContext().systemFolder + kHelpPage);
      return true;
  }
  return false;
}

INT_PTR CALLBACK EditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  EditorState* state = DialogStateOf<EditorState>(dialog, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Initialise(dialog, *state);
      return TRUE;
    case WM_LBUTTONDOWN:
      return state->target->onButtonDown(MessagePoint(lParam));
    case WM_MOUSEMOVE:
      return state->target->onMouseMove(MessagePoint(lParam));
    case WM_LBUTTONUP:
      return state->target->onButtonUp();
    case WM_CAPTURECHANGED:
      state->target->onCaptureChanged();
      return TRUE;
    case WM_COMMAND:
      return OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_DESTROY:
      state->target.reset();  // a capture still in progress ends with its frame erased
      return FALSE;
  }
  return FALSE;
}
}  // namespace

bool RunPluginEditor(HWND owner, ZPlugin& plugin) {
  ZModalDialogScope modal;
  EditorState state(plugin);
  return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_PLUGIN_EDITOR), owner, EditorProc,
                         reinterpret_cast<LPARAM>(&state)) == IDOK;
}

bool OpenPluginEditor(HWND owner) {
  ZPlugin plugin;
  if (!RunPluginEditor(owner, plugin)) return false;
  PluginManager().reloadCatalogue(CurrentPluginsFolder());
  return true;
}
