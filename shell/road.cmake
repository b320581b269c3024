# The road of a gesture: capture messages, hotkeys and the feedback period in
# the main window; the plug-in manager and the hook library in start-up.
if(ZAVOTRA_WINDOWS)
  target_sources(zshell PRIVATE capture_messages.cpp road_steps.cpp)
  target_link_libraries(zshell PUBLIC zplugins zgesture zsound)
endif()

# The installation folder carries the hook library where the program loads it.
if(ZAVOTRA_WINDOWS)
  add_custom_command(TARGET stage_install POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:ZavotraHook> ${ZAVOTRA_STAGE}/system/Zavotra.dll)
  add_dependencies(stage_install ZavotraHook)
endif()
