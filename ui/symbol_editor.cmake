# The symbol editor: the frame with its two steps, their drawing surfaces
# and the name dialog.
if(ZAVOTRA_WINDOWS)
  add_library(zui_symbol_editor STATIC
    ${CMAKE_CURRENT_LIST_DIR}/symbol_canvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/symbol_vector_view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/symbol_bitmap_view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/symbol_name_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/symbol_editor.cpp)
  target_link_libraries(zui_symbol_editor PUBLIC zgesture zcommon zcommon_main zappcontext
                        user32 gdi32 shell32 ole32)
endif()
