#include "ui/service_editor.h"

#include <memory>
#include <string>

#include "actions/service_list.h"
#include "actions/web_service.h"
#include "common/app_context.h"
#include "common/default_key.h"
#include "common/dialog_helpers.h"
#include "common/gdi_objects.h"
#include "common/id_text_table.h"
#include "gesture/symbol.h"
#include "resources/zavotra_ids.h"
#include "ui/dialog_context.h"
#include "ui/dialog_state.h"
#include "ui/popup_menu.h"
#include "ui/symbol_library_menu.h"

namespace {

const char kTypesFile[] = "srvcnms";
const char kCountriesFile[] = "country";
constexpr int kTextBuffer = 1024;

struct EditorState {
  explicit EditorState(ZWebService& edited) : action(edited) {}
  ZWebService& action;
  ZIdTextTable types;
  ZIdTextTable countries;
  // The symbol chosen from the library menu, for command
  // IDM_SERVICE_SYMBOL_CHOSEN; never taken from the message itself.
  const Symbol* chosen = nullptr;
};

void ReadServiceTable(ZIdTextTable& table, const char* name) {
  const std::string path = DialogContext().systemFolder + name;
  table.readEncrypted(path.c_str(), DefaultKey().withUsedLength(ZKeyBlock::kServiceLength));
}

LRESULT AddItem(HWND list, const std::string& text, LPARAM data) {
  const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
  return index;
}

// The item data of the list's selection; false when nothing is selected.
bool SelectedData(HWND dialog, int id, int32_t& data) {
  const LRESULT index = SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return false;
  data = static_cast<int32_t>(SendDlgItemMessageA(dialog, id, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
  return true;
}

std::string SelectedText(HWND dialog, int id) {
  const LRESULT index = SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR || SendDlgItemMessageA(dialog, id, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= kTextBuffer)
    return {};
  char text[kTextBuffer] = {};
  SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

// Each name of `table` in ascending id order that a service of the list
// matches, once. The lists show a type or a country once even when several
// services offer it.
template <typename Matches>
void FillNames(HWND list, const ZIdTextTable& table, Matches matches) {
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const auto& entry : table.entries()) {
    for (const ServiceDefinition& service : WebServices().services()) {
      if (!matches(service, static_cast<int32_t>(entry.first))) continue;
      AddItem(list, entry.second, static_cast<LPARAM>(entry.first));
      break;
    }
  }
}

void UpdateOk(HWND dialog, const EditorState& state) {
  const bool website = SendDlgItemMessageA(dialog, IDC_SERVICE_WEBSITE, LB_GETCURSEL, 0, 0) != LB_ERR;
  EnableWindow(GetDlgItem(dialog, IDOK), website && state.action.symbol() != nullptr);
}

void FillWebsites(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SERVICE_WEBSITE);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  int32_t type = 0, country = 0;
  if (!SelectedData(dialog, IDC_SERVICE_TYPE, type) || !SelectedData(dialog, IDC_SERVICE_COUNTRY, country)) return;
  for (const ServiceDefinition& service : WebServices().services())
    if (service.typeId() == type && service.countryId() == country)
      AddItem(list, service.displayName(), static_cast<LPARAM>(service.id));
}

void TypeChosen(HWND dialog, const EditorState& state) {
  int32_t type = 0;
  if (!SelectedData(dialog, IDC_SERVICE_TYPE, type)) return;
  const std::string country = SelectedText(dialog, IDC_SERVICE_COUNTRY);
  HWND countries = GetDlgItem(dialog, IDC_SERVICE_COUNTRY);
  FillNames(countries, state.countries, [type](const ServiceDefinition& service, int32_t id) {
    return service.typeId() == type && service.countryId() == id;
  });
  if (!country.empty()) {
    const LRESULT found = SendMessageA(countries, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(country.c_str()));
    if (found != LB_ERR) SendMessageA(countries, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
  }
  FillWebsites(dialog);
}

void ShowSymbol(HWND dialog, const ZWebService& action) {
  const Symbol* symbol = action.symbol();
  HICON icon = symbol && !symbol->shapes().empty() ? symbol->shapes().front().icon().handle() : nullptr;
  SendDlgItemMessageA(dialog, IDC_SERVICE_SYMBOL, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

// The library menu at the cursor; a chosen symbol comes back as command
// IDM_SERVICE_SYMBOL_CHOSEN.
void OfferSymbols(HWND dialog, EditorState& state) {
  POINT cursor = {};
  GetCursorPos(&cursor);
  state.chosen = ZSymbolLibraryMenu::choose(dialog, cursor);
  if (state.chosen) SendMessageA(dialog, WM_COMMAND, IDM_SERVICE_SYMBOL_CHOSEN, 0);
  state.chosen = nullptr;
}

void Open(HWND dialog, EditorState& state) {
  CenterWindow(dialog, GetWindow(dialog, GW_OWNER));
  ReadServiceTable(state.types, kTypesFile);
  ReadServiceTable(state.countries, kCountriesFile);
  FillNames(GetDlgItem(dialog, IDC_SERVICE_TYPE), state.types,
            [](const ServiceDefinition& service, int32_t id) { return service.typeId() == id; });
  FillNames(GetDlgItem(dialog, IDC_SERVICE_COUNTRY), state.countries,
            [](const ServiceDefinition& service, int32_t id) { return service.countryId() == id; });
  ShowSymbol(dialog, state.action);
}

void Command(HWND dialog, EditorState& state, WORD id, WORD code) {
  switch (id) {
    case IDC_SERVICE_SYMBOL:
      if (code == BN_CLICKED) OfferSymbols(dialog, state);
      break;
    case IDM_SERVICE_SYMBOL_CHOSEN:
      if (state.chosen) {
        state.action.setSymbol(std::make_unique<Symbol>(*state.chosen));
        ShowSymbol(dialog, state.action);
      }
      break;
    case IDC_SERVICE_TYPE:
      if (code == LBN_SELCHANGE) TypeChosen(dialog, state);
      break;
    case IDC_SERVICE_COUNTRY:
      if (code == LBN_SELCHANGE) FillWebsites(dialog);
      break;
    case IDC_SERVICE_WEBSITE: {
      int32_t service = 0;
      if (code == LBN_SELCHANGE && SelectedData(dialog, IDC_SERVICE_WEBSITE, service))
        state.action.setServiceId(service);
      break;
    }
    case IDOK:
      if (IsWindowEnabled(GetDlgItem(dialog, IDOK))) EndDialog(dialog, IDOK);
      return;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return;
  }
  UpdateOk(dialog, state);
}

INT_PTR CALLBACK EditorProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  EditorState* state = DialogStateOf<EditorState>(dialog, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Open(dialog, *state);
      UpdateOk(dialog, *state);
      return TRUE;
    case WM_COMMAND:
      Command(dialog, *state, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool RunServiceEditor(HWND owner, ZWebService& action) {
  ZModalDialogScope modal;
  EditorState state(action);
  return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_SERVICE_EDITOR), owner, EditorProcedure,
                         reinterpret_cast<LPARAM>(&state)) == IDOK;
}
