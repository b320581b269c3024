// The web-service actions in the program: the service list loaded at
// start-up and after each exchange, the credentials opened and saved with
// the profile, and what the actions ask of the shell.
#include <windows.h>

#include "actions/credential_table.h"
#include "actions/service_list.h"
#include "actions/web_service_hooks.h"
#include "common/default_key.h"
#include "common/errors.h"
#include "plugins/plugin.h"
#include "plugins/plugin_manager.h"
#include "shell/folders.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"
#include "shell/startup_steps.h"
#include "shell/usage_counters.h"

namespace {

// An "ids" that exists but could not be read (damaged, or under a key it was
// not written with) is not overwritten by the profile's save: its entries
// would be lost. A change the user makes to the credentials writes it all
// the same.
bool g_keepUnreadableIds = false;

void LoadCredentials(const std::string& path, const ZKeyBlock& key) {
  const bool read = Credentials().read(path.c_str(), key);
  g_keepUnreadableIds = !read && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SaveCredentialsWithProfile(const std::string& path, const ZKeyBlock& key) {
  if (g_keepUnreadableIds) return true;
  return Credentials().write(path.c_str(), key);
}

bool SaveCredentialsNow() {
  const ZProfile* profile = Profiles().current();
  if (!profile) return false;
  g_keepUnreadableIds = false;
  return Credentials().write((profile->folder + "ids").c_str(), ProfileKey());
}

}  // namespace

void LoadWebSiteList(const std::string& systemFolder) {
  WebServices().load((systemFolder + "weblist").c_str(), DefaultKey().withUsedLength(ZKeyBlock::kServiceLength));
}

void InstallWebServiceHooks() {
  ZProfileHooks& profile = ProfileHooks();
  profile.loadIdentities = LoadCredentials;
  profile.saveIdentities = SaveCredentialsWithProfile;
  ZWebServiceHooks& hooks = WebServiceHooks();
  hooks.countServiceUse = [](int32_t id) { ServiceCounters().count(id); };
  hooks.saveCredentials = SaveCredentialsNow;
  hooks.savePlugin = [](ZPlugin& plugin) {
    try {
      plugin.save(PluginManager().fileKey());
    } catch (const ZWriteError&) {
      // The choice stays in memory; the next save of the plug-in keeps it.
    }
  };
  hooks.soundsFolder = [] { return Folders().sounds; };
}
