# ZPlugin and its file forms.
target_sources(zplugins_portable PRIVATE ${CMAKE_CURRENT_LIST_DIR}/legacy_plugin_record.cpp)
if(ZAVOTRA_WINDOWS)
  target_sources(zplugins PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/plugin.cpp
    ${CMAKE_CURRENT_LIST_DIR}/plugin_folder.cpp)
  target_link_libraries(zplugins PUBLIC zcommon_main)
endif()
