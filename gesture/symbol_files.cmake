# Symbol files (.zts), the first symbol format and the symbol library.
target_sources(zgesture_portable PRIVATE ${CMAKE_CURRENT_LIST_DIR}/first_format.cpp)
if(ZAVOTRA_WINDOWS)
  target_sources(zgesture PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/symbol_storage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/decrypted_copy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/symbol_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/missing_file_message.cpp
    ${CMAKE_CURRENT_LIST_DIR}/symbol_library.cpp)
  # The default key and the message box's owner window.
  target_link_libraries(zgesture PUBLIC zcommon_main zappcontext)
endif()
