# Web-service actions: the form-script language and its document interface,
# the service list and the credential table (portable); the action itself,
# the browser adapter and the login dialog (Windows).
target_sources(zactions_portable PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/script_tokenizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/credential_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/service_list.cpp)
if(ZAVOTRA_WINDOWS)
  target_sources(zactions PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/web_service.cpp
    ${CMAKE_CURRENT_LIST_DIR}/web_lists_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/browser_session.cpp
    ${CMAKE_CURRENT_LIST_DIR}/login_dialog.cpp)
endif()
