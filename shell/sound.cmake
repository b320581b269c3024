# The MP3 player and the event sounds: the program's single sound channel.
target_sources(zshell_portable PRIVATE mp3_frame.cpp)
if(ZAVOTRA_WINDOWS)
  add_library(zsound STATIC
    mp3_decoder.cpp
    xa_player.cpp
    event_sound_names.cpp
    event_sounds.cpp
  )
  target_link_libraries(zsound PUBLIC zshell_portable zcommon zappcontext msacm32 winmm)
endif()
