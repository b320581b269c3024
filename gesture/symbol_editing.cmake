# What the symbol editor draws and paints, without windows: the grid, the
# polyline and its states, the icon canvas, the naming of new files.
target_sources(zgesture_portable PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/symbol_sketch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icon_canvas.cpp)
