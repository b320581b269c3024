// An action that logs in to a web site from the service list and fills in
// and submits its forms through the browser.
#pragma once
#include <cstdint>
#include <memory>

#include "actions/action.h"
#include "actions/command_sound.h"

class ZWebService : public ZAction {
 public:
  ZWebService() = default;
  ZWebService(const ZWebService& other);
  ZWebService& operator=(const ZWebService&) = delete;

  bool execute(HWND window) override;
  std::unique_ptr<ZAction> clone() const override;
  // True for a web service with an equal sound, or where neither has one;
  // the service id does not count.
  bool equals(const ZAction& other) const override;
  void save(IStorage* storage, bool topLevel) const override;

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
