# Blowfish, SHA-1, ZKeyBlock/DefaultKey/DeriveKey, ZFileCipher, ZIdTextTable, ZPairTable, ZNumberList, language tables.
