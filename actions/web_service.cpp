#include "actions/web_service.h"

#include <wininet.h>

#include "actions/browser_session.h"
#include "actions/credential_table.h"
#include "actions/login_dialog.h"
#include "actions/service_list.h"
#include "actions/text_insertion.h"
#include "actions/web_service_hooks.h"
#include "common/settings.h"
#include "common/storage.h"
#include "resources/zavotra_ids.h"
#include "sound/event_sounds.h"

namespace {

constexpr int kProgressText = 1024;
constexpr char kOpenSound[] = "Zavotra Standard\\open.mp3";

void PlayServiceSound(const ServiceDefinition* service) {
  if (!Settings().playSounds) return;
  if (service && EventSounds().hasEvent(service->soundEvent())) {
    EventSounds().playEvent(service->soundEvent());
  } else if (WebServiceHooks().soundsFolder) {
    EventSounds().playFile(WebServiceHooks().soundsFolder() + kOpenSound);
  }
}

// Puts the service's name into the "Connecting to %s" text and shows the
// window.
void ShowProgress(HWND window, const std::string& name) {
  char format[kProgressText] = {};
  GetDlgItemTextA(window, IDC_CONNECTING_TEXT, format, sizeof format);
  std::string text = format;
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  SetDlgItemTextA(window, IDC_CONNECTING_TEXT, text.c_str());
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
}

}  // namespace

ZWebServiceHooks& WebServiceHooks() {
  static ZWebServiceHooks hooks;
  return hooks;
}

bool ServiceMayRunScript(const ServiceDefinition& service, const std::u16string& selection) {
  if (selection.empty() && service.t3.find("%SELECTION%") != std::string::npos) return false;
  const size_t logins = service.loginCount();
  return logins == 0 || CredentialsComplete(Credentials(), service.credentialKey(), logins);
}

bool RunService(const ServiceDefinition& service, const std::u16string& selection) {
  std::unique_ptr<ZBrowserSession> browser = ZBrowserSession::create();
  if (!browser) return false;
  browser->navigate(service.t2);
  bool result = false;
  // A page that never completes is given up: the browser is shown as it is.
  if (browser->waitUntilReady() && ServiceMayRunScript(service, selection)) {
    ScriptContext context;
    if (const CredentialTable::Pairs* pairs = Credentials().find(service.credentialKey()))
      context.pairs = *pairs;
    context.selection = selection;
    result = RunScript(service.t3, *browser, context);
    browser->waitUntilReady();
  }
  browser->show();
  return result;
}

ZWebService::ZWebService(const ZWebService& other)
    : ZAction(other),
      serviceId_(other.serviceId_),
      sound_(other.sound_ ? std::make_unique<ZCommandSound>(*other.sound_) : nullptr) {}

bool ZWebService::execute(HWND window) {
  if (InternetAttemptConnect(0) != ERROR_SUCCESS) return false;
  // A copy: the list may be reloaded by the user-interface thread meanwhile.
  const ServiceDefinition* listed = WebServices().find(serviceId_);
  std::unique_ptr<ServiceDefinition> service = listed ? std::make_unique<ServiceDefinition>(*listed) : nullptr;
  PlayServiceSound(service.get());
  if (WebServiceHooks().countServiceUse) WebServiceHooks().countServiceUse(serviceId_);
  if (sound_) sound_->execute();
  if (!service) return true;
  const std::wstring selected = GetSelection();
  const std::u16string selection(selected.begin(), selected.end());
  if (window) ShowProgress(window, service->displayName());
  RunService(*service, selection);
  return true;
}

bool ZWebService::needsLogin() const {
  const ServiceDefinition* service = WebServices().find(serviceId_);
  if (!service) return false;
  const size_t logins = service->loginCount();
  return logins > 0 && !CredentialsComplete(Credentials(), service->credentialKey(), logins);
}

bool ZWebService::askForLogin(HWND owner) {
  if (!ShowLoginDialog(owner, *this)) return false;
  if (plugin() && WebServiceHooks().savePlugin) WebServiceHooks().savePlugin(*plugin());
  return true;
}

std::unique_ptr<ZAction> ZWebService::clone() const { return std::make_unique<ZWebService>(*this); }

bool ZWebService::equals(const ZAction& other) const {
  const auto* service = dynamic_cast<const ZWebService*>(&other);
  if (!service) return false;
  if (!sound_ || !service->sound_) return !sound_ && !service->sound_;
  return sound_->equals(*service->sound_);
}

void ZWebService::save(IStorage* storage, bool topLevel) const {
  ZAction::save(storage, topLevel);
  WriteLiteral(storage, L"Type", "Web Service");
  WriteInteger(storage, L"Website", serviceId_);
  if (sound_) sound_->save(CreateSubStorage(storage, L"Sound").Get());
}
