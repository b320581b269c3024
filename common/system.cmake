# Files and folders, ZMemoryFile, strings and UTF-8, registry, OpenUrl and dialogs helpers, structured storage values.
