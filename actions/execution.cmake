# Text insertion and clipboard, system functions and the scroll thread, launch,
# sound and internet commands.
target_sources(zactions_portable PRIVATE
  date_time_text.cpp
  html_fragment.cpp
)
if(ZAVOTRA_WINDOWS)
  target_sources(zactions PRIVATE
    clipboard_snapshot.cpp
    text_insertion.cpp
    word_selection.cpp
    scroll_thread.cpp
    system_functions.cpp
    program_launch.cpp
    sound_and_internet_requests.cpp
  )
  target_link_libraries(zactions PUBLIC zsound ole32 oleaut32 uuid shell32 user32)
endif()
