#include "shell/profile_rekey.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "common/cipher_image.h"
#include "common/default_key.h"
#include "common/file_cipher.h"
#include "common/file_replacement.h"
#include "common/find_handle.h"
#include "common/memory_file.h"
#include "common/secure_wipe.h"
#include "common/trace.h"
#include "shell/password_file.h"

namespace {

// The always-encrypted files of the profile folder.
const char* const kKeyedFiles[] = {"ids", "settings", "stpl", "stsv", "stsl"};

// One file of the change: what it held, and its new form beside it.
struct ZPendingFile {
  std::string path;
  bool existed = false;
  std::vector<uint8_t> before;
  ZFileReplacement replacement;
  bool committed = false;

  ZPendingFile(std::string target, bool wasThere, std::vector<uint8_t> old, const std::vector<uint8_t>& after)
      : path(std::move(target)), existed(wasThere), before(std::move(old)),
        replacement(path, after.data(), after.size()) {}
};

enum class Change { Keep, Replace, Fail };

bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// Every file below `folder`, but the temporary files of saves. Linked folders
// are not entered: they could lead outside the profile.
void CollectFiles(const std::string& folder, std::vector<std::string>& paths) {
  std::string base = folder;
  if (base.empty()) return;
  if (base.back() != '\\') base += '\\';
  WIN32_FIND_DATAA entry;
  ZFindHandle search(FindFirstFileA((base + "*").c_str(), &entry));
  if (!search.valid()) return;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!IsDotEntry(entry.cFileName) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        CollectFiles(base + entry.cFileName, paths);
    } else if (!IsReplacementFileName(entry.cFileName)) {
      paths.push_back(base + entry.cFileName);
    }
  } while (FindNextFileA(search.get(), &entry));
}

bool IsEncryptedForm(const std::vector<uint8_t>& content) {
  uint64_t length = 0;
  return ReadImagePlainLength(content.data(), content.size(), length);
}

// The beginnings of the plain plug-in and symbol files: a compound file, the
// older plug-in form, the first symbol format (an icon file).
bool StartsLikePlainFile(const std::vector<uint8_t>& content) {
  static const uint8_t kCompound[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  static const char kLegacyPlugin[] = "Zavotra Plug-in File";
  static const uint8_t kIcon[] = {0, 0, 1, 0, 1, 0};
  auto startsWith = [&](const void* prefix, size_t size) {
    return content.size() >= size && std::memcmp(content.data(), prefix, size) == 0;
  };
  return startsWith(kCompound, sizeof kCompound) || startsWith(kLegacyPlugin, sizeof kLegacyPlugin) ||
         startsWith(kIcon, sizeof kIcon);
}

// A file that is already under `key` (copied from a protected profile, or
// left so by an earlier change): encrypting it again would lose it.
bool IsAlreadyUnder(const std::vector<uint8_t>& content, const ZKeyBlock& key) {
  if (!IsEncryptedForm(content)) return false;
  std::vector<uint8_t> plain;
  const bool under = DecryptImage(content.data(), content.size(), key, plain) && StartsLikePlainFile(plain);
  SecureWipe(plain);
  return under;
}

// A plug-in or symbol file: plain without a password, encrypted with one.
Change TreeFileChange(const std::vector<uint8_t>& before, const ZKeyBlock& oldKey, const ZKeyBlock& newKey,
                      std::vector<uint8_t>& after) {
  if (before.empty()) return Change::Keep;  // no encrypted form exists
  if (IsDefaultKey(oldKey)) {
    if (IsAlreadyUnder(before, newKey)) return Change::Keep;
    return EncryptImage(before.data(), before.size(), newKey, after) ? Change::Replace : Change::Fail;
  }
  // Not in the encrypted form: nothing the old key opens, so nothing to move.
  if (!IsEncryptedForm(before)) return Change::Keep;
  const bool made = IsDefaultKey(newKey) ? DecryptImage(before.data(), before.size(), oldKey, after)
                                         : RekeyImage(before.data(), before.size(), oldKey, newKey, after);
  return made ? Change::Replace : Change::Fail;
}

// The always-encrypted files: re-keyed from the old key to the new one.
Change KeyedFileChange(const std::vector<uint8_t>& before, const ZKeyBlock& oldKey, const ZKeyBlock& newKey,
                       std::vector<uint8_t>& after) {
  if (before.empty() || !IsEncryptedForm(before)) return Change::Keep;
  return RekeyImage(before.data(), before.size(), oldKey, newKey, after) ? Change::Replace : Change::Fail;
}

class ZRekey {
 public:
  ZRekey(const ZKeyBlock& oldKey, const ZKeyBlock& newKey) : oldKey_(oldKey), newKey_(newKey) {}
  ~ZRekey() {
    for (ZPendingFile& file : pending_) SecureWipe(file.before);
  }

  using Rule = Change (*)(const std::vector<uint8_t>&, const ZKeyBlock&, const ZKeyBlock&, std::vector<uint8_t>&);

  // Reads the file and writes its new form beside it; false stops the change.
  bool stage(const std::string& path, Rule rule) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;  // nothing to change
    std::vector<uint8_t> before, after;
    if (!ReadWholeFile(path.c_str(), before)) return false;  // held by another program, say
    const Change change = rule(before, oldKey_, newKey_, after);
    if (change == Change::Keep) {
      SecureWipe(before);
      return true;
    }
    return change == Change::Replace && add(path, true, std::move(before), after);
  }

  bool stageContent(const std::string& path, const std::string& content) {
    std::vector<uint8_t> before;
    const bool existed = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (existed && !ReadWholeFile(path.c_str(), before)) return false;
    return add(path, existed, std::move(before), std::vector<uint8_t>(content.begin(), content.end()));
  }

  // Replaces every staged file in order; on a failure puts back what was replaced.
  bool commit() {
    for (ZPendingFile& file : pending_) {
      if (!file.replacement.commit()) {
        rollBack();
        return false;
      }
      file.committed = true;
    }
    return true;
  }

  // Puts back every replaced file. One that cannot be put back even after a
  // few tries stays under the new key, and the trace says which.
  void rollBack() {
    for (auto file = pending_.rbegin(); file != pending_.rend(); ++file) {
      if (file->committed && putBack(*file)) file->committed = false;
    }
  }

 private:
  bool add(const std::string& path, bool existed, std::vector<uint8_t> before, std::vector<uint8_t> after) {
    try {
      pending_.emplace_back(path, existed, std::move(before), after);
    } catch (const std::bad_alloc&) {
      SecureWipe(after);
      return false;
    }
    SecureWipe(after);
    return pending_.back().replacement.ready();
  }

  // The file that made the change fail may be held for a moment (a virus
  // scanner, an indexer): a put-back tries a few times before giving up.
  static bool putBack(const ZPendingFile& file) {
    for (int attempt = 0; attempt < kPutBackAttempts; ++attempt) {
      if (attempt > 0) Sleep(kPutBackPauseMs);
      const bool done = file.existed ? ReplaceFileContent(file.path, file.before)
                                     : (DeleteFileA(file.path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND);
      if (done) return true;
    }
    DiagnosticTrace("password change: %s could not be put back", file.path.c_str());
    return false;
  }

  static constexpr int kPutBackAttempts = 5;
  static constexpr DWORD kPutBackPauseMs = 100;

  const ZKeyBlock& oldKey_;
  const ZKeyBlock& newKey_;
  std::vector<ZPendingFile> pending_;
};

}  // namespace

bool RekeyProfileFiles(const ZProfileFiles& files, const ZKeyBlock& oldKey, const ZKeyBlock& newKey) {
  std::vector<std::string> treeFiles;
  for (const std::string& tree : files.trees) CollectFiles(tree, treeFiles);

  ZRekey rekey(oldKey, newKey);
  for (const std::string& path : treeFiles)
    if (!rekey.stage(path, TreeFileChange)) return false;
  for (const char* name : kKeyedFiles)
    if (!rekey.stage(files.folder + name, KeyedFileChange)) return false;

  // "pf" comes last: until it changes, the profile opens with the old key.
  const std::string passwordFile = files.folder + "pf";
  const bool removing = IsDefaultKey(newKey);
  std::vector<uint8_t> oldPasswordFile;
  if (removing) {
    if (GetFileAttributesA(passwordFile.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !ReadWholeFile(passwordFile.c_str(), oldPasswordFile))
      return false;
  } else {
    std::string content;
    if (!PasswordFileContent(newKey, content) || !rekey.stageContent(passwordFile, content)) return false;
  }

  if (!rekey.commit()) return false;
  if (removing && !oldPasswordFile.empty() && !WipeFile(passwordFile.c_str(), true)) {
    // Still there (or only overwritten): the old check must come back with the old files.
    ReplaceFileContent(passwordFile, oldPasswordFile);
    rekey.rollBack();
    return false;
  }
  return true;
}
