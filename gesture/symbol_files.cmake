# Symbol files (.zts), the first symbol format and the symbol library.
target_sources(zgesture_portable PRIVATE first_format.cpp)
