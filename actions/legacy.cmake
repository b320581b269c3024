# The older sequential action form: reader and records (portable), their
# mapping onto ZMacro (Windows).
target_sources(zactions_portable PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/legacy_stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/legacy_action_record.cpp)
if(ZAVOTRA_WINDOWS)
  target_sources(zactions PRIVATE ${CMAKE_CURRENT_LIST_DIR}/legacy_macro.cpp)
endif()
