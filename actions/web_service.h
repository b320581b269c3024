// An action that logs in to a web site from the service list and fills in
// and submits its forms through the browser.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "actions/action.h"
#include "actions/command_sound.h"

struct ServiceDefinition;

class ZWebService : public ZAction {
 public:
  ZWebService() = default;
  ZWebService(const ZWebService& other);
  ZWebService& operator=(const ZWebService&) = delete;

  // Plays the service's sound, counts the use, plays the action's own sound,
  // then opens the service in the browser and runs its form script. True
  // once connected, whatever the page did (also for a service id that is
  // not in the list, which runs nothing).
  bool execute(HWND window) override;
  std::unique_ptr<ZAction> clone() const override;
  // True for a web service with an equal sound, or where neither has one;
  // the service id does not count.
  bool equals(const ZAction& other) const override;
  void save(IStorage* storage, bool topLevel) const override;

  // Whether the service needs login values that the credential table does
  // not hold complete: then `run` asks for them first.
  bool needsLogin() const;
  // The login dialog over `owner`; after OK the plug-in holding the action
  // is saved, since the dialog may have changed its service. False when the
  // user cancelled.
  bool askForLogin(HWND owner);

  // The web service definition this action runs.
  int32_t serviceId() const { return serviceId_; }
  void setServiceId(int32_t id) { serviceId_ = id; }
  // Played when the service starts; may be null.
  const ZCommandSound* sound() const { return sound_.get(); }
  void setSound(std::unique_ptr<ZCommandSound> sound) { sound_ = std::move(sound); }

 private:
  int32_t serviceId_ = 0;
  std::unique_ptr<ZCommandSound> sound_;
};

// Whether the service's script may run: it needs no selection or has one,
// and it needs no logins or the credential table holds them complete.
bool ServiceMayRunScript(const ServiceDefinition& service, const std::u16string& selection);

// Opens the service's page in a new browser, runs its script when it may and
// shows the browser. False when no browser could be created, the page did
// not complete in time, or the script did not run or failed.
bool RunService(const ServiceDefinition& service, const std::u16string& selection);
