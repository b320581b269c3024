# The zip reader of the web exchange: the portable extraction over zlib's raw
# inflate, and its Windows side (archives on disk, progress bars). Only the
# main program links it; zlib is static in the Windows builds so that the
# program needs no zlib1.dll.
if(ZAVOTRA_WINDOWS)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED GLOBAL)

add_library(zzip_portable STATIC zip_entry.cpp zip_extraction.cpp)
target_link_libraries(zzip_portable PUBLIC zcommon_portable ZLIB::ZLIB)

if(ZAVOTRA_WINDOWS)
  add_library(zzip STATIC zip_reader.cpp)
  target_link_libraries(zzip PUBLIC zzip_portable zcommon comctl32)
endif()
