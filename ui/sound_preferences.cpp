#include "ui/sound_preferences.h"

#include <commdlg.h>

#include <cstring>
#include <iterator>

#include <string>
#include <vector>

#include "common/app_context.h"
#include "common/dialog_helpers.h"
#include "common/find_handle.h"
#include "common/id_text_table.h"
#include "common/settings.h"
#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "sound/event_sound_names.h"
#include "sound/event_sounds.h"
#include "ui/dialog_context.h"
#include "ui/dialog_state.h"

namespace {
constexpr DWORD kNamesBuffer = 4096;
const char kEventsFile[] = "events";

class ZBitmap {
 public:
  explicit ZBitmap(int id)
      : bitmap_(static_cast<HBITMAP>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0))) {}
  ~ZBitmap() {
    if (bitmap_) DeleteObject(bitmap_);
  }
  ZBitmap(const ZBitmap&) = delete;
  ZBitmap& operator=(const ZBitmap&) = delete;
  HBITMAP get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

struct SoundState {
  std::string themeName;    // the theme shown in the lists; empty for none
  std::string themeFolder;  // its folder, with a backslash
  ZIdTextTable working;     // event number to file name, for this theme
  bool workingChanged = false;
  bool changed = false;             // files copied or removed, events written, theme chosen
  std::vector<std::string> paths;   // full path of each sound entry; "" for "<none>"
  ZBitmap play{IDB_SOUND_PLAY};
  ZBitmap stop{IDB_SOUND_STOP};
};

std::string WithBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

std::string ItemText(HWND control, UINT getLength, UINT getText, LRESULT index) {
  const LRESULT length = SendMessageA(control, getLength, static_cast<WPARAM>(index), 0);
  if (length < 0) return std::string();
  std::vector<char> text(static_cast<size_t>(length) + 1);
  SendMessageA(control, getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

std::string SelectedTheme(HWND dialog) {
  HWND combo = GetDlgItem(dialog, IDC_SOUND_THEME);
  const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? std::string() : ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, selected);
}

LRESULT SelectedEvent(HWND dialog) { return SendDlgItemMessageA(dialog, IDC_SOUND_EVENTS, LB_GETCURSEL, 0, 0); }

// Every file of `folder`, or every subfolder, in the order
// the system lists them.
std::vector<std::string> FolderEntries(const std::string& folder, bool folders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  ZFindHandle find(FindFirstFileA((folder + "*").c_str(), &found));
  if (!find.valid()) return names;
  do {
    const std::string name = found.cFileName;
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder != folders || name == "." || name == "..") continue;
    names.push_back(name);
  } while (FindNextFileA(find.get(), &found));
  return names;
}

void AddSoundEntry(HWND dialog, SoundState& state, const std::string& name, const std::string& path) {
  SendDlgItemMessageA(dialog, IDC_SOUND_FILES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  state.paths.push_back(path);
}

bool SoundListed(HWND dialog, const std::string& name) {
  HWND list = GetDlgItem(dialog, IDC_SOUND_FILES);
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  // File names are one and the same file whatever their capitals.
  for (LRESULT i = 1; i < count; ++i)
    if (lstrcmpiA(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i).c_str(), name.c_str()) == 0) return true;
  return false;
}

// The working table goes back to the theme's "events", replaced in one step
// so that a failure leaves the previous file as it was.
void KeepWorkingTable(SoundState& state) {
  if (!state.workingChanged || state.themeFolder.empty()) return;
  if (state.working.write((state.themeFolder + kEventsFile).c_str())) state.changed = true;
  state.workingChanged = false;
}

void ShowTheme(HWND dialog, SoundState& state, const std::string& name) {
  KeepWorkingTable(state);
  state.themeName = name;
  state.themeFolder = name.empty() ? std::string() : WithBackslash(DialogContext().soundsFolder) + name + "\\";
  state.working.entries().clear();
  if (!state.themeFolder.empty()) state.working.read((state.themeFolder + kEventsFile).c_str());
  state.workingChanged = false;
  SendDlgItemMessageA(dialog, IDC_SOUND_FILES, LB_RESETCONTENT, 0, 0);
  state.paths.clear();
  AddSoundEntry(dialog, state, LoadAnsiString(IDS_SOUND_NONE, AppInstance()), std::string());
  if (!state.themeFolder.empty())
    for (const std::string& file : FolderEntries(state.themeFolder, false))
      if (SoundFileKindOf(file) != SoundFileKind::Other) AddSoundEntry(dialog, state, file, state.themeFolder + file);
  SendDlgItemMessageA(dialog, IDC_SOUND_EVENTS, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EnableWindow(GetDlgItem(dialog, IDC_SOUND_FILES), FALSE);
  EnableWindow(GetDlgItem(dialog, IDC_SOUND_ADD), state.themeFolder.empty() ? FALSE : TRUE);
}

void SelectEvent(HWND dialog, SoundState& state) {
  const LRESULT event = SelectedEvent(dialog);
  if (event == LB_ERR) return;
  HWND list = GetDlgItem(dialog, IDC_SOUND_FILES);
  EnableWindow(list, TRUE);
  const std::string* file = state.working.find(static_cast<uint32_t>(event));
  LRESULT chosen = 0;
  if (file) {
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 1; i < count && chosen == 0; ++i)
      if (ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i) == *file) chosen = i;
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

void SelectSound(HWND dialog, SoundState& state) {
  const LRESULT event = SelectedEvent(dialog);
  HWND list = GetDlgItem(dialog, IDC_SOUND_FILES);
  const LRESULT sound = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (event == LB_ERR || sound == LB_ERR) return;
  auto& entries = state.working.entries();
  // "<none>" is no file: the event loses its sound rather than naming one.
  if (sound == 0) entries.erase(static_cast<uint32_t>(event));
  else entries[static_cast<uint32_t>(event)] = ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, sound);
  state.workingChanged = true;
}

// The chosen files as full paths: one path, or a folder followed by names.
std::vector<std::string> ChosenFiles(const char* names, WORD fileOffset) {
  std::vector<std::string> files;
  if (fileOffset == 0 || names[fileOffset - 1] != '\0') {
    files.push_back(names);
    return files;
  }
  const std::string folder = WithBackslash(names);
  for (const char* name = names + fileOffset; *name; name += strlen(name) + 1) files.push_back(folder + name);
  return files;
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void AddSounds(HWND dialog, SoundState& state) {
  if (state.themeFolder.empty()) return;
  std::string filter = LoadAnsiString(IDS_SOUND_FILTER_NAME, AppInstance());
  filter.push_back('\0');
  filter += LoadAnsiString(IDS_SOUND_FILTER_PATTERN, AppInstance());
  filter.push_back('\0');
  filter.push_back('\0');
  std::vector<char> names(kNamesBuffer, '\0');
  const std::string start = Settings().soundFolder;
  OPENFILENAMEA dialogSpec = {};
  dialogSpec.lStructSize = sizeof dialogSpec;
  dialogSpec.hwndOwner = dialog;
  dialogSpec.lpstrFilter = filter.c_str();
  dialogSpec.lpstrFile = names.data();
  dialogSpec.nMaxFile = kNamesBuffer;
  dialogSpec.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  dialogSpec.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                     OFN_ENABLESIZING | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialogSpec)) return;
  const std::vector<std::string> files = ChosenFiles(names.data(), dialogSpec.nFileOffset);
  for (const std::string& file : files) {
    const std::string name = FileNameOf(file);
    // A copy that fails is not reported; the list shows what the folder holds.
    if (CopyFileA(file.c_str(), (state.themeFolder + name).c_str(), FALSE)) state.changed = true;
    if (!SoundListed(dialog, name)) AddSoundEntry(dialog, state, name, state.themeFolder + name);
  }
  // The next Add starts where the user found these.
  if (!files.empty()) Settings().soundFolder = FolderOf(files.front());
}

void RemoveSound(HWND dialog, SoundState& state) {
  HWND list = GetDlgItem(dialog, IDC_SOUND_FILES);
  const LRESULT sound = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (sound == LB_ERR || sound == 0 || static_cast<size_t>(sound) >= state.paths.size()) return;
  if (!DeleteFileA(state.paths[static_cast<size_t>(sound)].c_str())) return;  // the list stays as it was
  const std::string name = ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, sound);
  SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(sound), 0);
  state.paths.erase(state.paths.begin() + sound);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  // No event may keep naming a file that is gone, the selected one least of all.
  auto& entries = state.working.entries();
  const LRESULT event = SelectedEvent(dialog);
  if (event != LB_ERR) entries.erase(static_cast<uint32_t>(event));
  for (auto it = entries.begin(); it != entries.end();)
    it = lstrcmpiA(it->second.c_str(), name.c_str()) == 0 ? entries.erase(it) : std::next(it);
  state.workingChanged = true;
  state.changed = true;
}

void PlaySelected(HWND dialog, const SoundState& state) {
  const LRESULT sound = SendDlgItemMessageA(dialog, IDC_SOUND_FILES, LB_GETCURSEL, 0, 0);
  if (sound <= 0 || static_cast<size_t>(sound) >= state.paths.size()) return;
  EventSounds().playFile(state.paths[static_cast<size_t>(sound)]);
}

void Close(HWND dialog, SoundState& state) {
  KeepWorkingTable(state);
  const std::string theme = SelectedTheme(dialog);
  if (!theme.empty()) {
    EventSounds().loadTheme(WithBackslash(DialogContext().soundsFolder) + theme);
    if (Settings().soundTheme != theme) {
      Settings().soundTheme = theme;
      state.changed = true;
    }
  }
  EndDialog(dialog, IDCLOSE);
}

void Initialise(HWND dialog, SoundState& state) {
  CenterWindow(dialog, GetParent(dialog));
  SendDlgItemMessageA(dialog, IDC_SOUND_PLAY, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(state.play.get()));
  SendDlgItemMessageA(dialog, IDC_SOUND_STOP, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(state.stop.get()));
  HWND themes = GetDlgItem(dialog, IDC_SOUND_THEME);
  for (const std::string& theme : FolderEntries(WithBackslash(DialogContext().soundsFolder), true))
    SendMessageA(themes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(theme.c_str()));
  const LRESULT current =
      SendMessageA(themes, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Settings().soundTheme.c_str()));
  if (current != CB_ERR) SendMessageA(themes, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
  HWND events = GetDlgItem(dialog, IDC_SOUND_EVENTS);
  for (int event = 0; event < kEventSoundCount; ++event)
    SendMessageA(events, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(LoadAnsiString(EventSoundNameId(event), AppInstance()).c_str()));
  // The current theme's sounds are shown at once, so that Add has a folder.
  ShowTheme(dialog, state, SelectedTheme(dialog));
}

INT_PTR CALLBACK SoundProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  SoundState* state = DialogStateOf<SoundState>(dialog, message, lParam);
  if (!state) return FALSE;
  if (message == WM_INITDIALOG) {
    Initialise(dialog, *state);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  const WORD code = HIWORD(wParam);
  switch (LOWORD(wParam)) {
    case IDC_SOUND_THEME:
      if (code == CBN_SELCHANGE) ShowTheme(dialog, *state, SelectedTheme(dialog));
      return TRUE;
    case IDC_SOUND_EVENTS:
      if (code == LBN_SELCHANGE) SelectEvent(dialog, *state);
      return TRUE;
    case IDC_SOUND_FILES:
      if (code == LBN_SELCHANGE) SelectSound(dialog, *state);
      return TRUE;
    case IDC_SOUND_ADD:
      AddSounds(dialog, *state);
      return TRUE;
    case IDC_SOUND_REMOVE:
      RemoveSound(dialog, *state);
      return TRUE;
    case IDC_SOUND_PLAY:
      PlaySelected(dialog, *state);
      return TRUE;
    case IDC_SOUND_STOP:
      EventSounds().stopAll();
      return TRUE;
    case IDC_SOUND_CLOSE:
    case IDCANCEL:
      Close(dialog, *state);
      return TRUE;
  }
  return FALSE;
}
}  // namespace

bool OpenSoundPreferences(HWND owner) {
  ZModalDialogScope modal;
  SoundState state;
  const std::string soundFolder = Settings().soundFolder;
  const std::string theme = Settings().soundTheme;
  DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_SOUND_PREFERENCES), owner, SoundProc,
                  reinterpret_cast<LPARAM>(&state));
  if (Settings().soundTheme != theme || Settings().soundFolder != soundFolder) NotifySettingsChanged();
  return state.changed;
}
