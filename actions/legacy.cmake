# The older sequential action form: reader, records, mapping onto ZMacro.
target_sources(zactions_portable PRIVATE legacy_stream.cpp legacy_action_record.cpp)
