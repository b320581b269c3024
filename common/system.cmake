# Files and folders, ZMemoryFile, strings and UTF-8, registry, OpenUrl and dialogs helpers, structured storage values.
target_sources(zcommon_portable PRIVATE
  path_text.cpp
  scrambled_text.cpp
  url_command.cpp
  stored_values.cpp
  stream_source.cpp
)
if(ZAVOTRA_WINDOWS)
  target_sources(zcommon PRIVATE
    administrator.cpp
    ansi_text.cpp
    bstr.cpp
    dialog_helpers.cpp
    directory_tree.cpp
    open_url.cpp
    registry.cpp
    registry_key.cpp
    shortcut.cpp
    storage.cpp
    string_resource.cpp
    trace.cpp
  )
endif()

# Where a window stands and which application rule it matches: small enough
# for the hook library to carry as well.
if(ZAVOTRA_WINDOWS)
  add_library(zwindowrules STATIC window_tree.cpp window_rule_win32.cpp)
  target_link_libraries(zwindowrules PUBLIC user32)
  target_link_libraries(zcommon PUBLIC zwindowrules)
endif()
