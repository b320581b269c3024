# ZPluginManager: the catalogue, the three active plug-ins, application
# detection, hotkeys; the web-service progress window.
if(ZAVOTRA_WINDOWS)
  target_sources(zplugins PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/plugin_manager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/connecting_dialog.cpp)
  target_link_libraries(zplugins PUBLIC zappcontext user32)
endif()
