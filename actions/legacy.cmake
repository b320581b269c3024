# The older sequential action form: reader, records and their fields
# (portable), their mapping onto ZMacro (Windows).
target_sources(zactions_portable PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/legacy_stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/legacy_action_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/legacy_command_fields.cpp)
if(ZAVOTRA_WINDOWS)
  target_sources(zactions PRIVATE ${CMAKE_CURRENT_LIST_DIR}/legacy_macro.cpp)
endif()
