# Wizard and WizardPage: the frame of the action and plug-in download wizards.
if(ZAVOTRA_WINDOWS)
  add_library(zui_wizard STATIC ${CMAKE_CURRENT_LIST_DIR}/wizard.cpp)
  target_link_libraries(zui_wizard PUBLIC zappcontext user32)
endif()
