// The logins and passwords of the web services, by credential key (the key
// that the services sharing one account have in common), each key with an
// ordered list of pairs. Stored in the profile's "ids", always enciphered
// with the profile key; every buffer that held its plain text is wiped.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "actions/form_script.h"
#include "common/key_block.h"

class CredentialTable {
 public:
  using Pairs = std::vector<CredentialPair>;
  using Entries = std::map<uint32_t, Pairs>;

  CredentialTable() = default;
  CredentialTable(const CredentialTable&) = delete;
  CredentialTable& operator=(const CredentialTable&) = delete;
  CredentialTable(CredentialTable&&) = default;  // the moved-from table is left empty
  ~CredentialTable() { clear(); }

  const Entries& entries() const { return entries_; }
  const Pairs* find(uint32_t key) const;
  Pairs* find(uint32_t key);
  // The entry of `key` becomes the one pair.
  void replace(uint32_t key, const CredentialPair& pair);
  bool remove(uint32_t key);
  // Wipes every login and password, then empties the table.
  void clear();

  // Replaces the table with the plain text's lines: "key TAB count", then
  // per pair TAB login TAB password, up to the line's end. Leading blanks
  // are skipped; a line without a number holds no entry; a line that ends
  // before `count` pairs keeps those it has.
  void parse(const char* text, size_t size);
  // The plain text, keys ascending. TAB, CR and LF inside a login or
  // password are left out: they would cut the field on reading. The caller
  // wipes the result.
  std::string format() const;

#ifdef _WIN32
  // Clears the table, then deciphers and reads the file; false when it is
  // missing or cannot be deciphered.
  bool read(const char* path, const ZKeyBlock& key);
  // Enciphers and writes the whole table; an empty table removes the file,
  // which has no enciphered form.
  bool write(const char* path, const ZKeyBlock& key) const;
#endif

 private:
  Entries entries_;
};

// Whether a service whose script needs `logins` values may use the stored
// entry: there is one, it holds exactly that many pairs, none with an empty
// login.
bool CredentialsComplete(const CredentialTable& table, uint32_t key, size_t logins);

// The process-wide table of the current profile.
CredentialTable& Credentials();
