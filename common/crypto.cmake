# Blowfish, SHA-1, ZKeyBlock/DefaultKey/DeriveKey, ZFileCipher, ZIdTextTable, ZPairTable, ZNumberList, language tables.
target_sources(zcommon_portable PRIVATE
  utf8.cpp
)
