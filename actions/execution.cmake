# Text insertion and clipboard, system functions and the scroll thread, launch,
# sound and internet commands.
target_sources(zactions_portable PRIVATE
  date_time_text.cpp
  html_fragment.cpp
)
