# Actions, macros, web-service actions and the command kinds with their
# storage; the key table; keystroke synthesis; the hotkey and menu commands.
# The records and readers of the stored form are portable, so that they can be
# fuzzed; the command and action classes are Windows code.
target_sources(zactions_portable PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_action_record.cpp)
if(ZAVOTRA_WINDOWS)
  target_sources(zactions PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/action.cpp
    ${CMAKE_CURRENT_LIST_DIR}/action_workers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_hotkey.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_internet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_launch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_menu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_sound.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_system.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/key_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/keystrokes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/macro.cpp)
endif()
