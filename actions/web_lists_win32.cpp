// The files of the service list and the credential table.
#include <windows.h>

#include <vector>

#include "actions/credential_table.h"
#include "actions/service_list.h"
#include "common/file_cipher.h"
#include "common/secure_wipe.h"
#include "common/table_file_io.h"

bool ServiceList::load(const char* path, const ZKeyBlock& key) {
  services_.clear();
  std::string text;
  if (!table_file_io::ReadEncryptedText(path, key, text)) return false;
  parse(text.data(), text.size());
  return true;
}

bool CredentialTable::read(const char* path, const ZKeyBlock& key) {
  clear();
  std::vector<uint8_t> plain;
  const bool read = ZFileCipher::DecryptToMemory(path, key, plain);
  if (read) parse(reinterpret_cast<const char*>(plain.data()), plain.size());
  SecureWipe(plain);
  return read;
}

bool CredentialTable::write(const char* path, const ZKeyBlock& key) const {
  if (entries_.empty()) return DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
  std::string plain = format();
  const bool written = ZFileCipher::WriteEncrypted(path, plain.data(), plain.size(), key);
  SecureWipe(plain);
  return written;
}
