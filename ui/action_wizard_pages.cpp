#include "ui/action_wizard_pages.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstdlib>
#include <vector>

#include "actions/command_hotkey.h"
#include "actions/command_internet.h"
#include "actions/command_launch.h"
#include "actions/command_menu.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"
#include "actions/date_time_text.h"
#include "actions/key_table.h"
#include "actions/system_functions.h"
#include "common/app_context.h"
#include "common/string_resource.h"
#include "gesture/symbol.h"
#include "resources/zavotra_ids.h"
#include "sound/event_sound_names.h"
#include "sound/event_sounds.h"
#include "ui/symbol_editor.h"
#include "ui/symbol_library_menu.h"

namespace {
// What the internet page opens when the user chose neither option.
const char kVendorHomePage[] = "http://www.zavotra.com/";
// Paths and command lines of the launch page.
constexpr int kPathLength = 260;
// The repeat count is read as the C library reads a number, from at most
// this many characters.
constexpr int kRepeatTextLength = 1024;
constexpr int kScrollKinds = 7;
constexpr int kPauseChoices = kLongestPauseSeconds;

std::string Loaded(UINT id) { return LoadAnsiString(id, AppInstance()); }

std::wstring Wide(const std::string& text, UINT codePage) {
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage) {
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  if (length > 0)
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &narrow[0], length, nullptr, nullptr);
  return narrow;
}

void AddString(HWND list, const std::string& text, bool listBox) {
  SendMessageA(list, listBox ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The common file dialog over `initial`; the chosen path, or empty.
std::string BrowseFile(HWND owner, UINT filterId, const std::string& initial) {
  std::string filter = Loaded(filterId);
  for (char& c : filter)
    if (c == '|') c = '\0';
  char path[MAX_PATH] = {};
  lstrcpynA(path, initial.c_str(), sizeof path);
  OPENFILENAMEA open = {};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner;
  open.lpstrFilter = filter.c_str();
  open.lpstrFile = path;
  open.nMaxFile = sizeof path;
  open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  ZModalDialogScope modal;
  return GetOpenFileNameA(&open) ? std::string(path) : std::string();
}
}  // namespace

// --- the base --------------------------------------------------------------------

void ActionWizard::PageBase::onInit(HWND) {
  owner_.followPage(pageId());
  show();
}

void ActionWizard::PageBase::leave() {
  if (window()) write();
  WizardPage::leave();
}

int ActionWizard::PageBase::dropNewCommandAnd(int target) const {
  if (owner_.isNewCommand(owner_.currentItem())) owner_.removeCurrentCommand();
  return target;
}

HTREEITEM ActionWizard::PageBase::reuseOrCreate(int typeId, std::initializer_list<int> pagesOfKind) const {
  const ZCommand* current = owner_.commandOf(owner_.currentItem());
  for (int page : pagesOfKind)
    if (current && current->typeId() == typeId && owner_.previousPageId() == page) return owner_.currentItem();
  return owner_.createCommand(typeId);
}

std::string ActionWizard::PageBase::text(int controlId) const {
  HWND control = GetDlgItem(window(), controlId);
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(control, &text[0], length + 1)));
  return text;
}

void ActionWizard::PageBase::setText(int controlId, const std::string& text) const {
  SetDlgItemTextA(window(), controlId, text.c_str());
}

bool ActionWizard::PageBase::checked(int controlId) const {
  return IsDlgButtonChecked(window(), controlId) == BST_CHECKED;
}

void ActionWizard::PageBase::check(int controlId, bool on) const {
  CheckDlgButton(window(), controlId, on ? BST_CHECKED : BST_UNCHECKED);
}

int ActionWizard::PageBase::checkedOf(std::initializer_list<int> controlIds) const {
  for (int id : controlIds)
    if (checked(id)) return id;
  return 0;
}

// --- name and symbol ---------------------------------------------------------------

ActionWizard::NamePage::NamePage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_NAME_PAGE) {}

std::string ActionWizard::NamePage::typed() const { return text(IDC_ACTION_NAME); }

void ActionWizard::NamePage::show() { setText(IDC_ACTION_NAME, macro().name()); }

void ActionWizard::NamePage::write() { macro().setName(typed()); }

ActionWizard::SymbolPage::SymbolPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_SYMBOL_PAGE) {}

void ActionWizard::SymbolPage::show() {
  SendDlgItemMessageA(window(), IDC_ACTION_HOTKEY, HKM_SETHOTKEY, macro().hotkey(), 0);
  showSymbol();
}

void ActionWizard::SymbolPage::showSymbol() const {
  if (!window()) return;
  const Symbol* symbol = macro().symbol();
  HICON icon = symbol && !symbol->shapes().empty() ? symbol->shapes().front().icon().handle() : nullptr;
  SendDlgItemMessageA(window(), IDC_ACTION_SYMBOL_PICTURE, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void ActionWizard::SymbolPage::write() {
  const LRESULT hotkey = SendDlgItemMessageA(window(), IDC_ACTION_HOTKEY, HKM_GETHOTKEY, 0, 0);
  macro().setHotkey(static_cast<uint16_t>(LOWORD(hotkey)));
}

bool ActionWizard::SymbolPage::onCommand(int controlId, int code, HWND control) {
  if (code == BN_CLICKED && controlId == IDC_ACTION_EXISTING_SYMBOL) {
    useExistingSymbol();
    return true;
  }
  if (code == BN_CLICKED && controlId == IDC_ACTION_NEW_SYMBOL) {
    designNewSymbol();
    return true;
  }
  return PageBase::onCommand(controlId, code, control);
}

bool ActionWizard::SymbolPage::useExistingSymbol() {
  RECT button = {};
  GetWindowRect(GetDlgItem(window(), IDC_ACTION_EXISTING_SYMBOL), &button);
  const Symbol* chosen = ZSymbolLibraryMenu::choose(window(), POINT{button.left, button.bottom});
  if (!chosen) return false;
  owner().setSymbol(*chosen);
  return true;
}

bool ActionWizard::SymbolPage::designNewSymbol() {
  Symbol made;
  if (!DesignNewSymbol(window(), made)) return false;
  owner().setSymbol(made);
  return true;
}

// --- the choice pages --------------------------------------------------------------

ActionWizard::CommandPage::CommandPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_COMMAND_PAGE) {}

int ActionWizard::CommandPage::nextTarget() {
  switch (checkedOf({IDC_ACTION_CHOOSE_APPLICATION, IDC_ACTION_CHOOSE_TEXT, IDC_ACTION_CHOOSE_SOUND,
                     IDC_ACTION_CHOOSE_INTERNET, IDC_ACTION_CHOOSE_MISC})) {
    case IDC_ACTION_CHOOSE_APPLICATION: return IDD_ACTION_APPLICATION_PAGE;
    case IDC_ACTION_CHOOSE_SOUND: return IDD_ACTION_SOUND_PAGE;
    case IDC_ACTION_CHOOSE_TEXT:
      return owner().createCommand(kCommandText) ? IDD_ACTION_TEXT_PAGE : -1;
    case IDC_ACTION_CHOOSE_INTERNET:
      return owner().createCommand(kCommandInternet) ? IDD_ACTION_INTERNET_PAGE : -1;
    case IDC_ACTION_CHOOSE_MISC:
      return owner().createCommand(kCommandSystem) ? IDD_ACTION_MISC_PAGE : -1;
  }
  return -1;  // "Vantel" or nothing: no command of that kind exists
}

ActionWizard::ApplicationPage::ApplicationPage(ActionWizard& wizard)
    : PageBase(wizard, IDD_ACTION_APPLICATION_PAGE) {}

void ActionWizard::ApplicationPage::show() {
  // Back from a command's page: its kind stays chosen.
  const ZCommand* current = owner().commandOf(owner().currentItem());
  if (!current) return;
  const int previous = owner().previousPageId();
  check(IDC_ACTION_CHOOSE_LAUNCH, previous == IDD_ACTION_LAUNCH_PAGE && current->typeId() == kCommandLaunch);
  check(IDC_ACTION_CHOOSE_MENU, previous == IDD_ACTION_MENU_PAGE && current->typeId() == kCommandMenu);
  check(IDC_ACTION_CHOOSE_HOTKEY, previous == IDD_ACTION_HOTKEY_PAGE && current->typeId() == kCommandHotkey);
}

int ActionWizard::ApplicationPage::backTarget() { return IDD_ACTION_COMMAND_PAGE; }

int ActionWizard::ApplicationPage::nextTarget() {
  switch (checkedOf({IDC_ACTION_CHOOSE_LAUNCH, IDC_ACTION_CHOOSE_MENU, IDC_ACTION_CHOOSE_HOTKEY})) {
    case IDC_ACTION_CHOOSE_LAUNCH:
      return reuseOrCreate(kCommandLaunch, {IDD_ACTION_LAUNCH_PAGE}) ? IDD_ACTION_LAUNCH_PAGE : -1;
    case IDC_ACTION_CHOOSE_MENU:
      return reuseOrCreate(kCommandMenu, {IDD_ACTION_MENU_PAGE}) ? IDD_ACTION_MENU_PAGE : -1;
    case IDC_ACTION_CHOOSE_HOTKEY:
      return reuseOrCreate(kCommandHotkey, {IDD_ACTION_HOTKEY_PAGE}) ? IDD_ACTION_HOTKEY_PAGE : -1;
  }
  return -1;
}

ActionWizard::SoundPage::SoundPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_SOUND_PAGE) {}

void ActionWizard::SoundPage::show() {
  const int previous = owner().previousPageId();
  const auto* sound = dynamic_cast<const ZCommandSound*>(owner().commandOf(owner().currentItem()));
  if (!sound) return;
  check(IDC_ACTION_MY_SOUND, previous == IDD_ACTION_SOUND_PLAY_PAGE);
  check(IDC_ACTION_LIBRARY_SOUND, previous == IDD_ACTION_SOUND_THEME_PAGE);
  check(IDC_ACTION_STOP_SOUND, previous == IDD_ACTION_SOUND_STOP_PAGE);
}

int ActionWizard::SoundPage::backTarget() { return IDD_ACTION_COMMAND_PAGE; }

int ActionWizard::SoundPage::nextTarget() {
  const std::initializer_list<int> soundPages = {IDD_ACTION_SOUND_PLAY_PAGE, IDD_ACTION_SOUND_THEME_PAGE,
                                                 IDD_ACTION_SOUND_STOP_PAGE};
  switch (checkedOf({IDC_ACTION_MY_SOUND, IDC_ACTION_LIBRARY_SOUND, IDC_ACTION_STOP_SOUND})) {
    case IDC_ACTION_MY_SOUND:
      return reuseOrCreate(kCommandSound, soundPages) ? IDD_ACTION_SOUND_PLAY_PAGE : -1;
    case IDC_ACTION_LIBRARY_SOUND:
      return reuseOrCreate(kCommandSound, soundPages) ? IDD_ACTION_SOUND_THEME_PAGE : -1;
    case IDC_ACTION_STOP_SOUND:
      return reuseOrCreate(kCommandSound, soundPages) ? IDD_ACTION_SOUND_STOP_PAGE : -1;
  }
  return -1;
}

// --- the command pages ---------------------------------------------------------------

ActionWizard::LaunchPage::LaunchPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_LAUNCH_PAGE) {}

void ActionWizard::LaunchPage::show() {
  for (int id : {IDC_ACTION_LAUNCH_FILE, IDC_ACTION_LAUNCH_ARGUMENTS, IDC_ACTION_LAUNCH_DIRECTORY})
    SendDlgItemMessageA(window(), id, EM_LIMITTEXT, kPathLength, 0);
  HWND style = GetDlgItem(window(), IDC_ACTION_LAUNCH_STYLE);
  for (UINT id : {IDS_ACTION_STYLE_NORMAL, IDS_ACTION_STYLE_MINIMIZED, IDS_ACTION_STYLE_MAXIMIZED})
    AddString(style, Loaded(id), false);
  DragAcceptFiles(window(), TRUE);
  const ZCommandLaunch* launch = command<ZCommandLaunch>();
  if (!launch) return;
  setText(IDC_ACTION_LAUNCH_FILE, launch->filePath());
  setText(IDC_ACTION_LAUNCH_ARGUMENTS, launch->commandLine());
  setText(IDC_ACTION_LAUNCH_DIRECTORY, launch->directory());
  SendMessageA(style, CB_SETCURSEL, static_cast<WPARAM>(launch->windowStyle()), 0);
}

void ActionWizard::LaunchPage::write() {
  ZCommandLaunch* launch = command<ZCommandLaunch>();
  if (!launch) return;
  launch->setFilePath(text(IDC_ACTION_LAUNCH_FILE));
  launch->setCommandLine(text(IDC_ACTION_LAUNCH_ARGUMENTS));
  launch->setDirectory(text(IDC_ACTION_LAUNCH_DIRECTORY));
  const LRESULT style = SendDlgItemMessageA(window(), IDC_ACTION_LAUNCH_STYLE, CB_GETCURSEL, 0, 0);
  if (style != CB_ERR) launch->setWindowStyle(static_cast<int>(style));
}

bool ActionWizard::LaunchPage::onCommand(int controlId, int code, HWND control) {
  if (controlId == IDC_ACTION_LAUNCH_BROWSE && code == BN_CLICKED) {
    const std::string path = BrowseFile(window(), IDS_ACTION_PROGRAM_FILTER, text(IDC_ACTION_LAUNCH_FILE));
    if (!path.empty()) setText(IDC_ACTION_LAUNCH_FILE, path);
    return true;
  }
  return PageBase::onCommand(controlId, code, control);
}

bool ActionWizard::LaunchPage::onDroppedFiles(HDROP drop) {
  char path[MAX_PATH] = {};
  if (DragQueryFileA(drop, 0, path, sizeof path)) setText(IDC_ACTION_LAUNCH_FILE, path);
  DragFinish(drop);
  return true;
}

int ActionWizard::LaunchPage::backTarget() { return dropNewCommandAnd(IDD_ACTION_APPLICATION_PAGE); }
int ActionWizard::LaunchPage::nextTarget() { return IDD_ACTION_COMMAND_PAGE; }

ActionWizard::TextPage::TextPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_TEXT_PAGE) {}

// The command keeps its text in UTF-8; the edit shows it in full.
void ActionWizard::TextPage::show() {
  if (const ZCommandText* command = this->command<ZCommandText>())
    SetWindowTextW(GetDlgItem(window(), IDC_ACTION_TEXT), Wide(command->text(), CP_UTF8).c_str());
}

void ActionWizard::TextPage::write() {
  ZCommandText* command = this->command<ZCommandText>();
  if (!command) return;
  HWND edit = GetDlgItem(window(), IDC_ACTION_TEXT);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit, &text[0], static_cast<int>(text.size()))));
  command->setText(Narrow(text, CP_UTF8));
}

int ActionWizard::TextPage::backTarget() { return dropNewCommandAnd(IDD_ACTION_COMMAND_PAGE); }
int ActionWizard::TextPage::nextTarget() { return IDD_ACTION_COMMAND_PAGE; }

ActionWizard::MenuPage::MenuPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_MENU_PAGE) {}

void ActionWizard::MenuPage::show() {
  if (const ZCommandMenu* menu = command<ZCommandMenu>()) setText(IDC_ACTION_MENU_PATH, menu->path());
}

void ActionWizard::MenuPage::write() {
  if (ZCommandMenu* menu = command<ZCommandMenu>()) menu->setPath(text(IDC_ACTION_MENU_PATH));
}

int ActionWizard::MenuPage::backTarget() { return dropNewCommandAnd(IDD_ACTION_APPLICATION_PAGE); }
int ActionWizard::MenuPage::nextTarget() { return IDD_ACTION_COMMAND_PAGE; }

ActionWizard::HotkeyPage::HotkeyPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_HOTKEY_PAGE) {}

namespace {
constexpr int kKeyLists[ZCommandHotkey::kSlots] = {IDC_ACTION_KEY_1, IDC_ACTION_KEY_2, IDC_ACTION_KEY_3,
                                                   IDC_ACTION_KEY_4};
}

void ActionWizard::HotkeyPage::show() {
  std::vector<std::string> names;
  for (int i = 0; i < KeyTable::kSize; ++i) names.push_back(KeyTable::name(i));
  const ZCommandHotkey* hotkey = command<ZCommandHotkey>();
  for (int slot = 0; slot < ZCommandHotkey::kSlots; ++slot) {
    HWND list = GetDlgItem(window(), kKeyLists[slot]);
    for (const std::string& name : names) AddString(list, name, false);
    SendMessageA(list, CB_SETCURSEL, hotkey ? hotkey->key(slot) : 0, 0);
  }
  if (hotkey) setText(IDC_ACTION_REPEAT, std::to_string(hotkey->repeat()));
}

void ActionWizard::HotkeyPage::write() {
  ZCommandHotkey* hotkey = command<ZCommandHotkey>();
  if (!hotkey) return;
  char repeat[kRepeatTextLength + 1] = {};
  GetDlgItemTextA(window(), IDC_ACTION_REPEAT, repeat, sizeof repeat);
  hotkey->setRepeat(atoi(repeat));
  for (int slot = 0; slot < ZCommandHotkey::kSlots; ++slot) {
    const LRESULT chosen = SendDlgItemMessageA(window(), kKeyLists[slot], CB_GETCURSEL, 0, 0);
    hotkey->setKey(slot, KeyTable::isValidIndex(static_cast<int>(chosen)) ? static_cast<uint8_t>(chosen) : 0);
  }
}

int ActionWizard::HotkeyPage::backTarget() { return dropNewCommandAnd(IDD_ACTION_APPLICATION_PAGE); }
int ActionWizard::HotkeyPage::nextTarget() { return IDD_ACTION_COMMAND_PAGE; }

ActionWizard::InternetPage::InternetPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_INTERNET_PAGE) {}

void ActionWizard::InternetPage::show() {
  const ZCommandInternet* internet = command<ZCommandInternet>();
  if (!internet || internet->target().empty()) return;
  if (internet->function() == ZCommandInternet::kWebsite) {
    check(IDC_ACTION_WEBSITE, true);
    setText(IDC_ACTION_URL, internet->target());
  } else if (internet->function() == ZCommandInternet::kEmail) {
    check(IDC_ACTION_EMAIL, true);
    setText(IDC_ACTION_RECIPIENT, internet->target());
  }
}

void ActionWizard::InternetPage::write() {
  ZCommandInternet* internet = command<ZCommandInternet>();
  if (!internet) return;
  if (checked(IDC_ACTION_WEBSITE)) {
    internet->setFunction(ZCommandInternet::kWebsite);
    internet->setTarget(text(IDC_ACTION_URL));
  } else if (checked(IDC_ACTION_EMAIL)) {
    internet->setFunction(ZCommandInternet::kEmail);
    internet->setTarget(text(IDC_ACTION_RECIPIENT));
  } else {
    internet->setFunction(ZCommandInternet::kWebsite);
    internet->setTarget(kVendorHomePage);
  }
}

int ActionWizard::InternetPage::backTarget() { return dropNewCommandAnd(IDD_ACTION_COMMAND_PAGE); }
int ActionWizard::InternetPage::nextTarget() { return IDD_ACTION_COMMAND_PAGE; }

// --- sounds ----------------------------------------------------------------------------

ActionWizard::SoundPlayPage::SoundPlayPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_SOUND_PLAY_PAGE) {}

void ActionWizard::SoundPlayPage::show() {
  if (!play_) play_.reset(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_SOUND_PLAY)));
  if (!stop_) stop_.reset(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_SOUND_STOP)));
  SendDlgItemMessageA(window(), IDC_SOUND_PLAY, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(play_.get()));
  SendDlgItemMessageA(window(), IDC_SOUND_STOP, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(stop_.get()));
  const ZCommandSound* sound = command<ZCommandSound>();
  if (sound && sound->soundType() == ZCommandSound::kFile) setText(IDC_ACTION_SOUND_FILE, sound->filePath());
}

void ActionWizard::SoundPlayPage::write() {
  ZCommandSound* sound = command<ZCommandSound>();
  if (!sound) return;
  sound->setSoundType(ZCommandSound::kFile);
  sound->setFilePath(text(IDC_ACTION_SOUND_FILE));
}

bool ActionWizard::SoundPlayPage::onCommand(int controlId, int code, HWND control) {
  if (code == BN_CLICKED) {
    switch (controlId) {
      case IDC_ACTION_SOUND_BROWSE: {
        const std::string path = BrowseFile(window(), IDS_ACTION_SOUND_FILTER, text(IDC_ACTION_SOUND_FILE));
        if (!path.empty()) setText(IDC_ACTION_SOUND_FILE, path);
        return true;
      }
      case IDC_SOUND_PLAY:
        EventSounds().playFile(text(IDC_ACTION_SOUND_FILE));
        return true;
      case IDC_SOUND_STOP:
        EventSounds().stopAll();
        return true;
    }
  }
  return PageBase::onCommand(controlId, code, control);
}

int ActionWizard::SoundPlayPage::backTarget() { return dropNewCommandAnd(IDD_ACTION_SOUND_PAGE); }
int ActionWizard::SoundPlayPage::nextTarget() { return IDD_ACTION_SOUND_OPTIONS_PAGE; }

ActionWizard::SoundStopPage::SoundStopPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_SOUND_STOP_PAGE) {}

void ActionWizard::SoundStopPage::write() {
  if (ZCommandSound* sound = command<ZCommandSound>()) sound->setSoundType(ZCommandSound::kStop);
}

int ActionWizard::SoundStopPage::backTarget() { return dropNewCommandAnd(IDD_ACTION_SOUND_PAGE); }
int ActionWizard::SoundStopPage::nextTarget() { return IDD_ACTION_COMMAND_PAGE; }

ActionWizard::SoundThemePage::SoundThemePage(ActionWizard& wizard)
    : PageBase(wizard, IDD_ACTION_SOUND_THEME_PAGE) {}

void ActionWizard::SoundThemePage::show() {
  HWND list = GetDlgItem(window(), IDC_ACTION_THEME_SOUND);
  for (int event = 0; event < kEventSoundCount; ++event) AddString(list, Loaded(EventSoundNameId(event)), true);
  const ZCommandSound* sound = command<ZCommandSound>();
  if (sound && sound->soundType() == ZCommandSound::kTheme)
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(sound->index()), 0);
}

void ActionWizard::SoundThemePage::write() {
  ZCommandSound* sound = command<ZCommandSound>();
  if (!sound) return;
  sound->setSoundType(ZCommandSound::kTheme);
  const LRESULT chosen = SendDlgItemMessageA(window(), IDC_ACTION_THEME_SOUND, LB_GETCURSEL, 0, 0);
  sound->setIndex(chosen == LB_ERR ? 0 : static_cast<int>(chosen));
}

int ActionWizard::SoundThemePage::backTarget() { return dropNewCommandAnd(IDD_ACTION_SOUND_PAGE); }
int ActionWizard::SoundThemePage::nextTarget() { return IDD_ACTION_SOUND_OPTIONS_PAGE; }

ActionWizard::SoundOptionsPage::SoundOptionsPage(ActionWizard& wizard)
    : PageBase(wizard, IDD_ACTION_SOUND_OPTIONS_PAGE) {}

void ActionWizard::SoundOptionsPage::show() {
  if (const ZCommandSound* sound = command<ZCommandSound>()) {
    check(IDC_ACTION_LOOP, sound->loop());
    check(IDC_ACTION_SYNCHRONIZE, sound->wait());
  }
}

void ActionWizard::SoundOptionsPage::write() {
  if (ZCommandSound* sound = command<ZCommandSound>()) {
    sound->setLoop(checked(IDC_ACTION_LOOP));
    sound->setWait(checked(IDC_ACTION_SYNCHRONIZE));
  }
}

// The options belong to the sound, which stays when the user goes back.
int ActionWizard::SoundOptionsPage::backTarget() {
  const ZCommandSound* sound = command<ZCommandSound>();
  return sound && sound->soundType() == ZCommandSound::kTheme ? IDD_ACTION_SOUND_THEME_PAGE
                                                              : IDD_ACTION_SOUND_PLAY_PAGE;
}
int ActionWizard::SoundOptionsPage::nextTarget() { return IDD_ACTION_COMMAND_PAGE; }

// --- miscellaneous -------------------------------------------------------------------------

ActionWizard::MiscellaneousPage::MiscellaneousPage(ActionWizard& wizard) : PageBase(wizard, IDD_ACTION_MISC_PAGE) {}

void ActionWizard::MiscellaneousPage::show() {
  HWND functions = GetDlgItem(window(), IDC_ACTION_FUNCTION);
  for (int i = 0; i < kSystemFunctionCount; ++i) AddString(functions, Loaded(SystemFunctionName(i)->displayNameId), true);
  const ZCommandSystem* system = command<ZCommandSystem>();
  const int function = system ? system->function() : ZCommandSystem::kNone;
  SendMessageA(functions, LB_SETCURSEL, static_cast<WPARAM>(function), 0);
  fillParameters(function);
  if (system && ZCommandSystem::hasParameter(function))
    SendDlgItemMessageA(window(), IDC_ACTION_PARAMETER, CB_SETCURSEL, static_cast<WPARAM>(system->parameter()), 0);
}

void ActionWizard::MiscellaneousPage::fillParameters(int function) const {
  HWND list = GetDlgItem(window(), IDC_ACTION_PARAMETER);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  const bool shown = ZCommandSystem::hasParameter(function);
  ShowWindow(list, shown ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(window(), IDC_ACTION_PARAMETER_LABEL), shown ? SW_SHOW : SW_HIDE);
  switch (function) {
    case ZCommandSystem::kVerticalScroll:
    case ZCommandSystem::kHorizontalScroll:
      for (int kind = 0; kind < kScrollKinds; ++kind)
        AddString(list, Loaded(ScrollKindNameId(kind, function == ZCommandSystem::kVerticalScroll)), false);
      break;
    case ZCommandSystem::kPause:
      for (int seconds = 1; seconds <= kPauseChoices; ++seconds) AddString(list, std::to_string(seconds), false);
      break;
    case ZCommandSystem::kInsertDate:
    case ZCommandSystem::kInsertTime: {
      SYSTEMTIME now = {};
      GetLocalTime(&now);
      const bool date = function == ZCommandSystem::kInsertDate;
      for (int format = 0; format < (date ? kDateTextFormatCount : kTimeTextFormatCount); ++format) {
        std::string shown;
        if (date ? FormatDateText(format, now.wDay, now.wMonth, now.wYear, shown)
                 : FormatTimeText(format, now.wHour, now.wMinute, now.wSecond, shown))
          AddString(list, shown, false);
      }
      break;
    }
  }
  if (shown) SendMessageA(list, CB_SETCURSEL, 0, 0);
}

bool ActionWizard::MiscellaneousPage::onCommand(int controlId, int code, HWND control) {
  if (controlId == IDC_ACTION_FUNCTION && code == LBN_SELCHANGE)
    fillParameters(static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0)));
  return PageBase::onCommand(controlId, code, control);
}

void ActionWizard::MiscellaneousPage::write() {
  ZCommandSystem* system = command<ZCommandSystem>();
  if (!system) return;
  const LRESULT function = SendDlgItemMessageA(window(), IDC_ACTION_FUNCTION, LB_GETCURSEL, 0, 0);
  system->setFunction(function == LB_ERR ? ZCommandSystem::kNone : static_cast<int>(function));
  if (ZCommandSystem::hasParameter(system->function())) {
    const LRESULT parameter = SendDlgItemMessageA(window(), IDC_ACTION_PARAMETER, CB_GETCURSEL, 0, 0);
    system->setParameter(parameter == CB_ERR ? 0 : static_cast<int>(parameter));
  }
  owner().relabel(owner().currentItem());
}

int ActionWizard::MiscellaneousPage::backTarget() { return dropNewCommandAnd(IDD_ACTION_COMMAND_PAGE); }
int ActionWizard::MiscellaneousPage::nextTarget() { return IDD_ACTION_COMMAND_PAGE; }
