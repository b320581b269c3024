// Copying and deleting a profile's folder with everything below it.
#pragma once
#include <string>

// Copies every file and folder of `source` into `destination` (which must
// exist); false only when `source` can't be listed.
bool CopyFolderTree(const std::string& source, const std::string& destination);
// Deletes the folder with its whole tree; true when the folder is gone.
bool DeleteFolderTree(const std::string& folder);
