# Symbol files (.zts), the first symbol format and the symbol library.
target_sources(zgesture_portable PRIVATE ${CMAKE_CURRENT_LIST_DIR}/first_format.cpp)
if(ZAVOTRA_WINDOWS)
  target_sources(zgesture PRIVATE ${CMAKE_CURRENT_LIST_DIR}/symbol_storage.cpp)
endif()
