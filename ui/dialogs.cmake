# The plug-in editor, the preferences sheet, the sound preferences, the
# service editor and the password manager, with the window target they share.
if(ZAVOTRA_WINDOWS)
  add_library(zui_dialogs STATIC
    ${CMAKE_CURRENT_LIST_DIR}/dialog_context.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_target.cpp
    ${CMAKE_CURRENT_LIST_DIR}/plugin_editor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/preferences_sheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound_preferences.cpp
    ${CMAKE_CURRENT_LIST_DIR}/service_editor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/password_manager.cpp)
  target_link_libraries(zui_dialogs PUBLIC zui zplugins zsound zcommon zappcontext
                        user32 gdi32 comctl32 comdlg32)
endif()
