#include "web/plugin_download.h"

#include <commctrl.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "common/app_context.h"
#include "common/default_key.h"
#include "common/errors.h"
#include "common/file_cipher.h"
#include "common/file_replacement.h"
#include "common/find_handle.h"
#include "common/memory_file.h"
#include "common/string_resource.h"
#include "common/table_file_io.h"
#include "gesture/symbol_icon.h"
#include "plugins/plugin.h"
#include "plugins/plugin_manager.h"
#include "resources/zavotra_ids.h"
#include "sound/event_sounds.h"
#include "web/download_worker.h"
#include "ui/symbol_silhouette.h"

namespace {

constexpr int kTextBuffer = 1024;

ZKeyBlock ServiceKey() { return DefaultKey().withUsedLength(ZKeyBlock::kServiceLength); }
// Downloaded files are plain: read as a profile without password reads.
ZKeyBlock PlainKey() { return DefaultKey().withUsedLength(ZKeyBlock::kProfileLength); }

std::string Text(UINT id) { return LoadAnsiString(id, AppInstance()); }

int Ask(HWND owner, const std::string& question) {
  return MessageBoxA(owner, question.c_str(), Text(IDS_APP_TITLE).c_str(), MB_YESNO | MB_ICONQUESTION);
}

LRESULT AddComboItem(HWND combo, const std::string& text, LPARAM data) {
  const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index >= 0) SendMessageA(combo, CB_SETITEMDATA, index, data);
  return index;
}

std::string ComboItemText(HWND combo, LRESULT index) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

bool ReadDownloadedHeader(const std::string& path, ZPlugin& plugin) {
  try {
    plugin.readHeader(path, PlainKey());
    return true;
  } catch (const ZReadError&) {
    return false;
  }
}

bool SamePath(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

// The downloaded file's bytes in the plug-ins folder, encrypted there for a
// profile with a password; in one step either way, so that a failure leaves
// the previous file of that name as it was.
bool CopyIntoProfile(const std::string& source, const std::string& target, const ZKeyBlock& key) {
  std::vector<uint8_t> content;
  if (!ReadWholeFile(source.c_str(), content) || content.empty()) return false;
  if (IsDefaultKey(key)) return ReplaceFileContent(target, content);
  return ZFileCipher::WriteEncrypted(target.c_str(), content.data(), content.size(), key);
}

}  // namespace

bool ServesSameApplication(const ZPlugin& installed, const ZPlugin& candidate) {
  if (!installed.key().empty() && !candidate.key().empty())
    return lstrcmpiA(installed.key().c_str(), candidate.key().c_str()) == 0;
  return lstrcmpiA(installed.name().c_str(), candidate.name().c_str()) == 0;
}

ZPluginDownload::ZPluginDownload(HWND parent, ZWebHost& host) : Wizard(IDD_PLUGIN_DOWNLOAD, parent), host_(host) {
  addPage(std::make_unique<ZPluginDownloadPage1>(*this));
  addPage(std::make_unique<ZPluginDownloadPage2>(*this));
}

void ZPluginDownload::readCatalogue() {
  const std::string system = host_.systemFolder();
  const ZKeyBlock key = ServiceKey();
  std::string text;
  catalogue_ = table_file_io::ReadEncryptedText((system + "plgndscr").c_str(), key, text)
                   ? ParsePluginCatalogue(text)
                   : std::vector<ZCatalogueRecord>();
  languages_.readEncrypted((system + "languages").c_str(), key);
  companies_.readEncrypted((system + "firms").c_str(), key);
}

void ZPluginDownload::findPresentIds() {
  present_.clear();
  WIN32_FIND_DATAA found;
  ZFindHandle find(FindFirstFileA((host_.downloadsFolder() + "*.zta").c_str(), &found));
  if (find.valid()) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) present_.push_back(DownloadedPluginId(found.cFileName));
    } while (FindNextFileA(find.get(), &found));
  }
  std::sort(present_.begin(), present_.end());
}

std::string ZPluginDownload::downloadedPath(int32_t id) const {
  return host_.downloadsFolder() + DownloadedPluginName(id);
}

// ---------------------------------------------------------------------------
// Page 1: the choice and the download

ZPluginDownloadPage1::ZPluginDownloadPage1(ZPluginDownload& download)
    : WizardPage(download, IDD_PLUGIN_SELECTION), download_(download) {}

void ZPluginDownloadPage1::onInit(HWND) {
  download_.readCatalogue();
  fillLanguages();
  fillCompanies();
  download_.findPresentIds();
  fillApplications();
  recompute();
}

void ZPluginDownloadPage1::fillLanguages() {
  HWND combo = GetDlgItem(window(), IDC_SELECTION_LANGUAGE);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  LRESULT english = CB_ERR;
  for (int32_t language : LanguagesInUse(download_.catalogue())) {
    const std::string* name = download_.languages().find(static_cast<uint32_t>(language));
    if (!name) continue;  // a language the service did not name is not offered
    const LRESULT index = AddComboItem(combo, *name, language);
    if (language == 1) english = index;
  }
  SendMessageA(combo, CB_SETCURSEL, english != CB_ERR ? english : 0, 0);
}

void ZPluginDownloadPage1::fillCompanies() {
  HWND combo = GetDlgItem(window(), IDC_SELECTION_COMPANY);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  AddComboItem(combo, std::string(), kAnyCompany);
  for (const auto& company : download_.companies().entries())
    AddComboItem(combo, company.second, static_cast<LPARAM>(company.first));
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

LRESULT ZPluginDownloadPage1::selectedData(int comboId) const {
  HWND combo = GetDlgItem(window(), comboId);
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? CB_ERR : SendMessageA(combo, CB_GETITEMDATA, index, 0);
}

void ZPluginDownloadPage1::fillApplications() {
  HWND combo = GetDlgItem(window(), IDC_SELECTION_APPLICATION);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  AddComboItem(combo, std::string(), 0);
  const LRESULT language = selectedData(IDC_SELECTION_LANGUAGE);
  const LRESULT company = selectedData(IDC_SELECTION_COMPANY);
  if (language != CB_ERR) {
    for (const std::string& name : ApplicationNames(download_.catalogue(), static_cast<int32_t>(language),
                                                    company == CB_ERR ? kAnyCompany : static_cast<int32_t>(company)))
      AddComboItem(combo, name, 0);
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  EnableWindow(combo, SendMessageA(combo, CB_GETCOUNT, 0, 0) > 1);
}

void ZPluginDownloadPage1::recompute() {
  ZPluginChoice& choice = download_.choice();
  choice = ZPluginChoice();
  HWND applications = GetDlgItem(window(), IDC_SELECTION_APPLICATION);
  const LRESULT language = selectedData(IDC_SELECTION_LANGUAGE);
  const LRESULT company = selectedData(IDC_SELECTION_COMPANY);
  if (language != CB_ERR) {
    std::vector<std::string> considered;
    const LRESULT chosen = SendMessageA(applications, CB_GETCURSEL, 0, 0);
    if (chosen > 0) {
      considered.push_back(ComboItemText(applications, chosen));
    } else {
      const LRESULT count = SendMessageA(applications, CB_GETCOUNT, 0, 0);
      for (LRESULT i = 1; i < count; ++i) considered.push_back(ComboItemText(applications, i));
    }
    choice = ChoosePlugins(download_.catalogue(), static_cast<int32_t>(language),
                           company == CB_ERR ? kAnyCompany : static_cast<int32_t>(company), considered,
                           download_.presentIds());
  }
  SetDlgItemInt(window(), IDC_SELECTION_COUNT, static_cast<UINT>(choice.selected.size()), FALSE);
  update();
}

bool ZPluginDownloadPage1::onCommand(int controlId, int code, HWND) {
  if (code != CBN_SELCHANGE) return false;
  switch (controlId) {
    case IDC_SELECTION_LANGUAGE:
    case IDC_SELECTION_COMPANY:
      fillApplications();
      recompute();
      return true;
    case IDC_SELECTION_APPLICATION:
      recompute();
      return true;
  }
  return false;
}

void ZPluginDownloadPage1::update() {
  wizard().enableButton(IDC_WIZARD_BACK, false);
  wizard().enableButton(IDC_WIZARD_NEXT, !download_.choice().selected.empty());
  wizard().enableButton(IDC_WIZARD_FINISH, false);
}

int ZPluginDownloadPage1::nextTarget() {
  const ZPluginChoice& choice = download_.choice();
  if (choice.selected.empty()) return -1;
  if (choice.wanted.empty()) return 0;
  char question[kTextBuffer];
  std::snprintf(question, sizeof question, Text(IDS_DOWNLOAD_QUESTION).c_str(),
                static_cast<int>(choice.selected.size()), static_cast<int>(choice.wanted.size()));
  if (Ask(wizard().window(), question) == IDYES && InternetAttemptConnect(0) == ERROR_SUCCESS)
    DownloadPlugins(wizard().window(), download_.host(), choice.wanted);
  return 0;
}

// ---------------------------------------------------------------------------
// Page 2: the downloaded plug-ins and their installation

ZPluginDownloadPage2::ZPluginDownloadPage2(ZPluginDownload& download)
    : WizardPage(download, IDD_PLUGIN_INSTALLATION), download_(download) {}

void ZPluginDownloadPage2::onInit(HWND) {
  HWND list = GetDlgItem(window(), IDC_INSTALLATION_LIST);
  for (int32_t id : download_.choice().selected) {
    ZPlugin header;
    if (!ReadDownloadedHeader(download_.downloadedPath(id), header)) continue;
    const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(header.name().c_str()));
    if (index >= 0) SendMessageA(list, LB_SETITEMDATA, index, static_cast<LPARAM>(id));
  }
}

int32_t ZPluginDownloadPage2::selectedId() const {
  HWND list = GetDlgItem(window(), IDC_INSTALLATION_LIST);
  const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int32_t>(SendMessageA(list, LB_GETITEMDATA, index, 0));
}

bool ZPluginDownloadPage2::onCommand(int controlId, int code, HWND) {
  if (controlId == IDC_INSTALLATION_LIST && code == LBN_SELCHANGE) {
    showDetails();
    update();
    return true;
  }
  if (controlId == IDC_INSTALLATION_INSTALL && code == BN_CLICKED) {
    install();
    return true;
  }
  return false;
}

void ZPluginDownloadPage2::update() {
  wizard().enableButton(IDC_WIZARD_BACK, true);
  wizard().enableButton(IDC_WIZARD_NEXT, false);
  wizard().enableButton(IDC_WIZARD_FINISH, true);
  EnableWindow(GetDlgItem(window(), IDC_INSTALLATION_INSTALL), selectedId() >= 0);
}

void ZPluginDownloadPage2::showDetails() {
  const int32_t id = selectedId();
  ZPlugin plugin;
  bool read = false;
  if (id >= 0) {
    try {
      plugin.read(download_.downloadedPath(id), nullptr, PlainKey());
      read = true;
    } catch (const ZReadError&) {
      // A file that went since the list was made shows nothing.
    }
  }
  const std::string* language =
      read && plugin.language() >= 0 ? download_.languages().find(static_cast<uint32_t>(plugin.language())) : nullptr;
  SetDlgItemTextA(window(), IDC_INSTALLATION_NAME, read ? plugin.name().c_str() : "");
  SetDlgItemTextA(window(), IDC_INSTALLATION_COMPANY, read ? plugin.company().c_str() : "");
  SetDlgItemTextA(window(), IDC_INSTALLATION_LANGUAGE, language ? language->c_str() : "");
  SetDlgItemTextA(window(), IDC_INSTALLATION_CREATOR, read ? plugin.creator().c_str() : "");
  ShowWindow(GetDlgItem(window(), IDC_INSTALLATION_CREATOR_LABEL),
             read && !plugin.creator().empty() ? SW_SHOW : SW_HIDE);
  fillActions(plugin);
}

void ZPluginDownloadPage2::fillActions(const ZPlugin& plugin) {
  HWND list = GetDlgItem(window(), IDC_INSTALLATION_ACTIONS);
  ListView_DeleteAllItems(list);
  HIMAGELIST images = ImageList_Create(SymbolIcon::kSide, SymbolIcon::kSide, ILC_COLOR32 | ILC_MASK,
                                       static_cast<int>(plugin.actions().size()), 4);
  const COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
  int item = 0;
  for (const auto& action : plugin.actions()) {
    int image = I_IMAGENONE;
    if (action->symbol()) {
      if (HICON icon = CreateSymbolSilhouette(*action->symbol(), colour)) {
        image = ImageList_AddIcon(images, icon);
        DestroyIcon(icon);
      }
    }
    LVITEMA entry{};
    entry.mask = LVIF_TEXT | LVIF_IMAGE;
    entry.iItem = item++;
    entry.pszText = const_cast<char*>(action->name().c_str());
    entry.iImage = image;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry));
  }
  // The list view owns the image list it shows; the one it showed before is ours to free.
  if (HIMAGELIST previous = ListView_SetImageList(list, images, LVSIL_NORMAL)) ImageList_Destroy(previous);
}

void ZPluginDownloadPage2::install() {
  const int32_t id = selectedId();
  if (id < 0) return;
  const std::string source = download_.downloadedPath(id);
  ZPlugin candidate;
  if (!ReadDownloadedHeader(source, candidate)) return;
  // Every question first: a No leaves everything as it was, and nothing is
  // deleted before the new plug-in is in place.
  std::vector<std::string> replaced;
  for (const auto& installed : PluginManager().catalogue()) {
    if (!ServesSameApplication(*installed, candidate)) continue;
    if (Ask(wizard().window(), Text(IDS_INSTALL_OVERWRITE)) != IDYES) return;
    replaced.push_back(installed->fileName());
  }
  ZWebHost& host = download_.host();
  const std::string folder = host.pluginsFolder();
  const std::string target = folder + DownloadedPluginName(id);
  if (!CopyIntoProfile(source, target, host.profileKey())) return;
  for (const std::string& path : replaced)
    if (!SamePath(path, target)) DeleteFileA(path.c_str());
  PluginManager().reloadCatalogue(folder);
  EventSounds().playEvent(ID_EVENT_NEW_PLUGIN_INSTALLED);
  char notice[kTextBuffer];
  std::snprintf(notice, sizeof notice, Text(IDS_PLUGIN_INSTALLED).c_str(), candidate.name().c_str());
  MessageBoxA(wizard().window(), notice, Text(IDS_APP_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
}
