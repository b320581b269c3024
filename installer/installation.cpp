#include "installer/installation.h"

#include <commctrl.h>

#include <utility>

#include "common/path_text.h"
#include "common/registry.h"
#include "common/registry_key.h"
#include "common/string_resource.h"
#include "installer/install_ids.h"
#include "installer/install_names.h"
#include "installer/install_record.h"
#include "installer/shortcut_writer.h"
#include "installer/system_folders.h"
#include "installer/tree_copy.h"

namespace {

bool WriteTextValue(HKEY root, const char* keyName, const char* valueName, const std::string& text) {
  ZRegistryKey key;
  return key.create(root, keyName, KEY_ALL_ACCESS) && RegistryWriteText(key.get(), valueName, "%s", text.c_str());
}

void Step(const ZInstallProgress& progress) {
  if (progress.bar) SendMessageA(progress.bar, PBM_STEPIT, 0, 0);
}

}  // namespace

ZInstallation::ZInstallation(std::string distributionFolder, std::string installFolder, bool allUsers)
    : distribution_(std::move(distributionFolder)), installFolder_(std::move(installFolder)), allUsers_(allUsers) {}

bool ZInstallation::run(const ZInstallProgress& progress) {
  const std::string programTree = distribution_ + "program\\";
  const std::string windowsTree = distribution_ + "windows\\";
  const int files = CountFilesToCopy(programTree) + CountFilesToCopy(windowsTree);
  if (progress.bar) {
    SendMessageA(progress.bar, PBM_SETRANGE32, 0, files + 2);
    SendMessageA(progress.bar, PBM_SETSTEP, 1, 0);
    ShowWindow(progress.bar, SW_SHOW);
  }
  if (progress.status) ShowWindow(progress.status, SW_SHOW);
  showStatus(progress, IDS_COPYING_FILES);

  // An earlier installation into the folder left its record: the new one
  // adds to it, so that the uninstaller takes away both.
  const std::string recordPath = installFolder_ + kInstallRecordFile;
  ZInstallRecord record;
  record.load(recordPath);
  bool complete = CreateFolderWithParents(installFolder_, record);
  ZTreeCopy copy(progress.bar, record);
  complete = copy.copy(programTree, installFolder_) && complete;
  copyUninstaller(copy);
  complete = copy.failures() == 0 && complete;

  showStatus(progress, IDS_UPDATING_REGISTRY);
  complete = writeRegistryEntries() && complete;
  Step(progress);
  complete = createShortcuts(record) && complete;
  Step(progress);
  return record.save(recordPath) && complete;
}

void ZInstallation::copyUninstaller(ZTreeCopy& copy) {
  // An older distribution names the uninstaller differently; the uninstall
  // entry always names the new one.
  const std::string older = distribution_ + "windows\\" + kOlderUninstallerName;
  const std::string newer = distribution_ + "windows\\" + kUninstallerName;
  MoveFileA(older.c_str(), newer.c_str());
  copy.copy(distribution_ + "windows\\", WindowsFolder());
  // A distribution on a read-only medium cannot be renamed: the older file
  // is then installed under the new name.
  if (GetFileAttributesA(newer.c_str()) == INVALID_FILE_ATTRIBUTES &&
      GetFileAttributesA(older.c_str()) != INVALID_FILE_ATTRIBUTES) {
    copy.copyFile(older, WindowsFolder() + kUninstallerName);
  }
}

bool ZInstallation::writeRegistryEntries() const {
  ZRegistryKey vendor;
  bool written = vendor.create(HKEY_LOCAL_MACHINE, kVendorKey, KEY_ALL_ACCESS);
  vendor.reset();
  written = WriteTextValue(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue, installFolder_) && written;
  written = WriteTextValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", kProductName) && written;
  std::string windows = WindowsFolder();
  windows.pop_back();
  return WriteTextValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", windows + "\\" + kUninstallerName) &&
         written;
}

bool ZInstallation::createShortcuts(ZInstallRecord& record) const {
  const std::string folder = StartMenuFolder(allUsers_);
  if (folder.empty() || !CreateFolderWithParents(folder, record)) return false;
  bool created = true;
  const std::pair<const char*, std::string> shortcuts[] = {
      {kProgramShortcut, installFolder_ + kProgramFile},
      {kHomePageShortcut, installFolder_ + kHomePageFile},
  };
  for (const auto& [name, target] : shortcuts) {
    if (CreateShortcut(target, folder + name))
      record.add(folder + name);
    else
      created = false;
  }
  return created;
}

void ZInstallation::showStatus(const ZInstallProgress& progress, UINT stringId) const {
  if (progress.status) SetWindowTextA(progress.status, LoadAnsiString(stringId).c_str());
}
