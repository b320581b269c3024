# Files and folders, ZMemoryFile, strings and UTF-8, registry, OpenUrl and dialogs helpers, structured storage values.
if(ZAVOTRA_WINDOWS)
  target_sources(zcommon PRIVATE
    ansi_text.cpp
    bstr.cpp
    storage.cpp
  )
endif()
