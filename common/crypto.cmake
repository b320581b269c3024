# Blowfish, SHA-1, ZKeyBlock/DefaultKey/DeriveKey, ZFileCipher, ZIdTextTable, ZPairTable, ZNumberList, language tables.

# Carried by both deliverables.
target_sources(zcommon_portable PRIVATE
  secure_wipe.cpp
  utf8.cpp
  blowfish.cpp
  blowfish_tables.cpp
  key_block.cpp
  cipher_image.cpp
  memory_file.cpp
  text_parsing.cpp
  id_text_table.cpp
  pair_table.cpp
  number_list.cpp
  code_page_table.cpp
)

# Main program only: the default key, password keys and the language tables
# stay out of the installer.
add_library(zcommon_main_portable STATIC
  sha1.cpp
  default_key.cpp
  password_key.cpp
  language_id.cpp
)
target_link_libraries(zcommon_main_portable PUBLIC zcommon_portable)

if(ZAVOTRA_WINDOWS)
  target_sources(zcommon PRIVATE
    win32_file_handle.cpp
    file_replacement.cpp
    memory_file_win32.cpp
    file_exists.cpp
    file_cipher.cpp
    table_file_io.cpp
    text_tables_win32.cpp
  )
  add_library(zcommon_main STATIC password_key_win32.cpp storage_file_save.cpp)
  target_link_libraries(zcommon_main PUBLIC zcommon_main_portable zcommon)
endif()
