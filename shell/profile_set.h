// The profiles of the current Windows user: U = users folder + user name,
// one folder "00", "01", ... per profile with its display name in "name",
// and U + "current" naming the profile that was current when last saved.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "common/key_block.h"

struct ZProfile {
  std::string name;    // display name
  std::string folder;  // ends in "\"
};

// Outcome of the operations that may have to ask for a password. A refused
// password (Cancel in the password dialog) leaves the previous profile
// current, with its data.
enum class ZProfileResult {
  Done,
  BadPassword,   // the password was refused
  NotFound,      // no profile of that name
  Unchanged,     // already current, or nothing to do
  Failed,        // a folder could not be made or removed
};

class ZProfileSet {
 public:
  // Asks for the password of a protected profile until it is right
  // (true, `key` set) or the user gives up (false). Dialog 309 by default.
  using PasswordPrompt = std::function<bool(const ZProfile& profile, const std::string& passwordFile, ZKeyBlock& key)>;

  ZProfileSet();

  // Builds the set for the current Windows user under Folders().users and
  // opens the current profile; on the first start creates U and "Default".
  // Temporary files of saves that an earlier run left in U are removed first.
  ZProfileResult open();
  // Saves the current profile if there is one, then opens `index`.
  ZProfileResult select(size_t index);
  ZProfileResult selectByName(const std::string& name);
  // Fills the new folder from profile `source` when it names one, else from
  // the skeleton. The new profile is not selected.
  ZProfileResult create(const std::string& name, const std::string& source);
  // Refused for the current profile.
  ZProfileResult remove(const std::string& name);
  // "name", the settings and counter files, "ids", then U + "current".
  void saveCurrent();
  // Re-encrypts the current profile's files for `newKey` (DefaultKey() for
  // no password) and makes it the current key block. Every file or none:
  // false leaves the profile under its old key, every file as it was.
  bool changePassword(const ZKeyBlock& newKey);

  const std::vector<ZProfile>& profiles() const { return profiles_; }
  const ZProfile* current() const;
  const std::string& userFolder() const { return userFolder_; }
  // Forgets every profile and the current key (before another open()).
  void reset();

  void setPasswordPrompt(PasswordPrompt prompt) { prompt_ = std::move(prompt); }

 private:
  int find(const std::string& name) const;
  void scan();
  bool unlock(const ZProfile& profile, ZKeyBlock& key);
  void load(const ZProfile& profile);

  std::vector<ZProfile> profiles_;
  std::string userFolder_;
  int current_ = -1;
  PasswordPrompt prompt_;
};

// The process-wide profile set.
ZProfileSet& Profiles();

// The key block of the current profile's files: DefaultKey() used with 16
// bytes in a profile without password.
const ZKeyBlock& ProfileKey();
