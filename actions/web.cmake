# Web-service actions: the form-script language and its document interface,
# the service list and the credential table (portable); the action itself,
# the browser adapter and the login dialog (Windows).
target_sources(zactions_portable PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/script_tokenizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_script.cpp)
if(ZAVOTRA_WINDOWS)
  target_sources(zactions PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/web_service.cpp)
endif()
