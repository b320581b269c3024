# Folders, settings, counters, profiles, start-up, main window, Zavotra.exe.
target_sources(zshell_portable PRIVATE
  decimal_text.cpp
  settings_text.cpp
  usage_counters.cpp
  window_placement.cpp
  window_outline.cpp
)

if(ZAVOTRA_WINDOWS)
  # The shell's Win32 side: everything of the program but its entry point, so
  # that the tests drive the same code.
  add_library(zshell STATIC
    folders.cpp
    whole_file.cpp
    profile_cipher.cpp
    settings_file.cpp
    password_file.cpp
    profile_rekey.cpp
    profile_hooks.cpp
    profile_set.cpp
    profile_dialogs.cpp
    profile_commands.cpp
    optional_functions.cpp
    capabilities.cpp
    registry_entries.cpp
    splash_screen.cpp
    startup_steps.cpp
    web_service_steps.cpp
    internet_session.cpp
    skin_region.cpp
    main_commands.cpp
    web_commands.cpp
    main_window.cpp
    application.cpp
  )
  target_link_libraries(zshell PUBLIC zshell_portable zui zweb zcommon_main zcommon zappcontext
                        user32 gdi32 comctl32 ole32 wininet advapi32)
endif()

if(ZAVOTRA_WINDOWS)
  add_executable(Zavotra WIN32 winmain.cpp $<TARGET_OBJECTS:zavotra_resources> $<TARGET_OBJECTS:zavotra_manifest>)
  set_target_properties(Zavotra PROPERTIES OUTPUT_NAME Zavotra)
  target_link_libraries(Zavotra PRIVATE zshell)

  # Development tools of tools/run.sh: close a running program cleanly, and
  # show its window through the tray icon.
  add_executable(ZavotraClose WIN32 close_tool.cpp)
  target_link_libraries(ZavotraClose PRIVATE user32 kernel32)
  add_executable(ZavotraShow WIN32 show_tool.cpp)
  target_link_libraries(ZavotraShow PRIVATE user32 kernel32)

  # A runnable installation folder: the program, the skeleton profile and the
  # shared folders, as the installer lays them out.
  set(ZAVOTRA_STAGE ${CMAKE_BINARY_DIR}/install)
  add_custom_target(stage_install ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory
            ${ZAVOTRA_STAGE}/skel/plug-ins ${ZAVOTRA_STAGE}/skel/symbols
            ${ZAVOTRA_STAGE}/dls ${ZAVOTRA_STAGE}/sounds ${ZAVOTRA_STAGE}/symbols
            ${ZAVOTRA_STAGE}/system ${ZAVOTRA_STAGE}/users
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Zavotra> ${ZAVOTRA_STAGE}/Zavotra.exe
    DEPENDS Zavotra ZavotraClose ZavotraShow
    COMMENT "Staging the installation folder in ${ZAVOTRA_STAGE}")
endif()
