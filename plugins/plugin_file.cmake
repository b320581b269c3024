# ZPlugin and its file forms.
target_sources(zplugins_portable PRIVATE legacy_plugin_record.cpp)
