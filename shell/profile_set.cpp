#include "shell/profile_set.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "common/default_key.h"
#include "common/directory_tree.h"
#include "common/file_exists.h"
#include "common/file_replacement.h"
#include "common/string_resource.h"
#include "common/app_context.h"
#include "resources/zavotra_ids.h"
#include "shell/folders.h"
#include "shell/password_file.h"
#include "shell/profile_rekey.h"
#include "shell/profile_dialogs.h"
#include "shell/profile_hooks.h"
#include "shell/scoped_handle.h"
#include "shell/settings_file.h"
#include "shell/usage_counters.h"
#include "shell/whole_file.h"

namespace {
ZKeyBlock& CurrentKey() {
  static ZKeyBlock key;
  return key;
}

// Enough folder numbers for any user; a bound keeps a broken disk from
// turning the search into an endless loop.
constexpr unsigned kMaxProfileFolders = 10000;

std::string WindowsUserName() {
  char name[1024];
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size)) return "user";
  return name;
}

// U + "%02u", without the trailing backslash (the form the existence check needs).
std::string FolderName(const std::string& userFolder, unsigned number) {
  char name[16];
  std::snprintf(name, sizeof name, "%02u", number);
  return userFolder + name;
}
}  // namespace

const ZKeyBlock& ProfileKey() {
  if (CurrentKey().usedLength() == 0) CurrentKey() = DefaultKey().withUsedLength(ZKeyBlock::kProfileLength);
  return CurrentKey();
}

ZProfileSet& Profiles() {
  static ZProfileSet set;
  return set;
}

ZProfileSet::ZProfileSet()
    : prompt_([](const ZProfile& profile, const std::string& passwordFile, ZKeyBlock& key) {
        return AskProfilePassword(nullptr, profile.name, passwordFile, key);
      }) {}

void ZProfileSet::reset() {
  profiles_.clear();
  current_ = -1;
  CurrentKey().clear();
}

const ZProfile* ZProfileSet::current() const {
  return current_ >= 0 ? &profiles_[static_cast<size_t>(current_)] : nullptr;
}

int ZProfileSet::find(const std::string& name) const {
  for (size_t i = 0; i < profiles_.size(); ++i)
    if (profiles_[i].name == name) return static_cast<int>(i);
  return -1;
}

void ZProfileSet::scan() {
  profiles_.clear();
  WIN32_FIND_DATAA entry;
  ZFindHandle find(FindFirstFileA((userFolder_ + "*").c_str(), &entry));
  if (!find) return;
  do {
    const std::string folderName = entry.cFileName;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || folderName == "." || folderName == "..") continue;
    ZProfile profile{std::string(), userFolder_ + folderName + "\\"};
    if (ReadFileText(profile.folder + "name", profile.name)) profiles_.push_back(profile);
  } while (FindNextFileA(find.get(), &entry));
  // The listing order is the file system's; the folders' numbers give the
  // creation order ("99" before "100").
  std::sort(profiles_.begin(), profiles_.end(), [](const ZProfile& a, const ZProfile& b) {
    return a.folder.size() != b.folder.size() ? a.folder.size() < b.folder.size() : a.folder < b.folder;
  });
}

ZProfileResult ZProfileSet::open() {
  reset();
  userFolder_ = Folders().users + WindowsUserName() + "\\";
  // Saves that an earlier run could not finish left their temporary files.
  RemoveStaleReplacementFiles(userFolder_, ProcessStartTime());
  scan();
  if (profiles_.empty()) {
    CreateDirectoryA(Folders().users.c_str(), nullptr);
    CreateDirectoryA(userFolder_.c_str(), nullptr);
    ZProfileResult created = create(LoadAnsiString(IDS_DEFAULT_PROFILE_NAME, AppInstance()), std::string());
    if (created != ZProfileResult::Done) return created;
  }
  std::string currentName;
  if (ReadFileText(userFolder_ + "current", currentName)) {
    ZProfileResult result = selectByName(currentName);
    if (result == ZProfileResult::BadPassword) return result;
  }
  return current_ < 0 ? select(0) : ZProfileResult::Done;
}

bool ZProfileSet::unlock(const ZProfile& profile, ZKeyBlock& key) {
  const std::string passwordFile = profile.folder + "pf";
  if (!FileExists(passwordFile.c_str())) {
    key = DefaultKey().withUsedLength(ZKeyBlock::kProfileLength);
    return true;
  }
  return prompt_ && prompt_(profile, passwordFile, key);
}

void ZProfileSet::load(const ZProfile& profile) {
  Folders().setProfile(profile.folder);
  ZProfileHooks& hooks = ProfileHooks();
  if (hooks.reloadPluginCatalogue) hooks.reloadPluginCatalogue(Folders().profilePlugins);
  const ZKeyBlock& key = ProfileKey();
  LoadSettings(profile.folder + "settings", key, Settings());
  LoadCounters(profile.folder + "stpl", key, PluginCounters());
  LoadCounters(profile.folder + "stsl", key, SymbolCounters());
  LoadCounters(profile.folder + "stsv", key, ServiceCounters());
  if (hooks.loadIdentities) hooks.loadIdentities(profile.folder + "ids", key);
  if (hooks.loadProfileSymbols) hooks.loadProfileSymbols(Folders().profileSymbols);
}

ZProfileResult ZProfileSet::select(size_t index) {
  if (index >= profiles_.size()) return ZProfileResult::NotFound;
  if (current_ >= 0) saveCurrent();
  // The password comes before anything of the new profile is loaded, so a
  // refusal leaves the previous profile current with its data.
  ZKeyBlock key;
  if (!unlock(profiles_[index], key)) return ZProfileResult::BadPassword;
  CurrentKey() = key;
  current_ = static_cast<int>(index);
  load(profiles_[index]);
  return ZProfileResult::Done;
}

ZProfileResult ZProfileSet::selectByName(const std::string& name) {
  const int index = find(name);
  if (index < 0) return ZProfileResult::NotFound;
  if (index == current_) return ZProfileResult::Unchanged;
  return select(static_cast<size_t>(index));
}

ZProfileResult ZProfileSet::create(const std::string& name, const std::string& source) {
  if (userFolder_.empty()) return ZProfileResult::Failed;  // no set opened yet
  std::string from = Folders().skeleton;
  const int sourceIndex = source.empty() ? -1 : find(source);
  if (sourceIndex >= 0) {
    if (sourceIndex == current_) saveCurrent();
    from = profiles_[static_cast<size_t>(sourceIndex)].folder;
  }
  unsigned number = 0;
  while (number < kMaxProfileFolders && FileExists(FolderName(userFolder_, number).c_str())) ++number;
  if (number == kMaxProfileFolders) return ZProfileResult::Failed;
  const std::string folder = FolderName(userFolder_, number) + "\\";
  if (!CreateDirectoryA(folder.c_str(), nullptr)) return ZProfileResult::Failed;
  CopyDirectoryTree(from, folder, nullptr);
  // The name is written at once (a copied "name" is the source's): a folder
  // without it would not be found again if the program ended before a save.
  WriteFileText(folder + "name", name);
  profiles_.push_back(ZProfile{name, folder});
  return ZProfileResult::Done;
}

ZProfileResult ZProfileSet::remove(const std::string& name) {
  const int index = find(name);
  if (index < 0) return ZProfileResult::NotFound;
  if (index == current_) return ZProfileResult::Unchanged;
  const std::string folder = profiles_[static_cast<size_t>(index)].folder;
  // A folder that could only be emptied in part is still gone as a profile
  // once its "name" is gone; otherwise it stays in the set.
  if (!DeleteDirectoryTree(folder) && FileExists((folder + "name").c_str())) return ZProfileResult::Failed;
  profiles_.erase(profiles_.begin() + index);
  if (current_ > index) --current_;
  return ZProfileResult::Done;
}

void ZProfileSet::saveCurrent() {
  const ZProfile* profile = current();
  if (!profile) return;
  const ZKeyBlock& key = ProfileKey();
  WriteFileText(profile->folder + "name", profile->name);
  SaveSettings(profile->folder + "settings", key, Settings());
  SaveCounters(profile->folder + "stpl", key, PluginCounters());
  SaveCounters(profile->folder + "stsl", key, SymbolCounters());
  SaveCounters(profile->folder + "stsv", key, ServiceCounters());
  if (ProfileHooks().saveIdentities) ProfileHooks().saveIdentities(profile->folder + "ids", key);
  WriteFileText(userFolder_ + "current", profile->name);
}

bool ZProfileSet::changePassword(const ZKeyBlock& requested) {
  const ZProfile* profile = current();
  if (!profile) return false;
  const ZKeyBlock oldKey = ProfileKey();
  const ZKeyBlock newKey = requested.withUsedLength(ZKeyBlock::kProfileLength);
  if (oldKey.sameBytes(newKey)) return true;
  const ZProfileFiles files{profile->folder, {Folders().profilePlugins, Folders().profileSymbols}};
  // A change that could not be made leaves every file under the old key,
  // which therefore stays the current one.
  if (!RekeyProfileFiles(files, oldKey, newKey)) return false;
  CurrentKey() = newKey;
  return true;
}
