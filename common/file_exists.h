// Whether the system finds at least one entry for a path. Wildcards are
// honoured, so "C:\\dir\\*.zta" exists when the folder holds any plug-in.
#pragma once

bool FileExists(const char* path);
