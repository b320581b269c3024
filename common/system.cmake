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
    window_tree.cpp
  )
endif()
