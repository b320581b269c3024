# Gesture capture: the hook library object and the ink trail.
if(ZAVOTRA_WINDOWS)
  target_sources(zgesture PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/hook_library.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ink_trail.cpp)
  target_link_libraries(zgesture PUBLIC zappcontext)
endif()
