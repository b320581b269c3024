# Model of strokes and symbols, and the recognizers: portable, except the
# system icon handle of SymbolIcon, which only Windows has.
target_sources(zgesture_portable PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bounding_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_walk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/distance_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/precise_recognizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/precise_templates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shape.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stroke_normalisation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stroke_pairing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/symbol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/symbol_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/symbol_recognizer.cpp)
if(ZAVOTRA_WINDOWS)
  target_sources(zgesture_portable PRIVATE ${CMAKE_CURRENT_LIST_DIR}/symbol_icon_win32.cpp)
  target_link_libraries(zgesture_portable PUBLIC user32 gdi32)
else()
  target_sources(zgesture_portable PRIVATE ${CMAKE_CURRENT_LIST_DIR}/symbol_icon_nohandle.cpp)
endif()
