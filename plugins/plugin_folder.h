// The plug-ins folder of the current user profile, where new plug-in files
// are created. The profile code sets it when a profile is opened.
#pragma once
#include <string>

const std::string& CurrentPluginsFolder();
void SetCurrentPluginsFolder(const std::string& folder);

// The first "wpuNNNNNN.zta" (six digits, counting from 0) that does not
// exist in `folder`, as a full path. Empty when every number is taken.
std::string NewPluginFilePath(const std::string& folder);
