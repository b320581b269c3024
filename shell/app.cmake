# Folders, settings, counters, profiles, start-up, main window, Zavotra.exe.
target_sources(zshell_portable PRIVATE
  decimal_text.cpp
  settings_text.cpp
  usage_counters.cpp
)
