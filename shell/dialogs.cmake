# The editing dialogs in the program: what they need from the shell and what
# their changes set off (settings that take effect at once).
if(ZAVOTRA_WINDOWS)
  target_sources(zshell PRIVATE settings_effects.cpp)
  target_link_libraries(zshell PUBLIC zui_dialogs zui_symbol_editor)
endif()
