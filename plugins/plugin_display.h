// What holds and shows one of the three active plug-ins. The action views
// of the main window are the displays; the plug-in manager chooses what each
// one holds and keeps a plain holder of its own for a slot that no window
// shows (before the main window exists, after it is gone, in tests).
#pragma once
#include <memory>
#include <string>

#include "plugins/plugin.h"

class ZPluginDisplay {
 public:
  virtual ~ZPluginDisplay() = default;
  virtual ZPlugin* plugin() const = 0;
  // Owns `plugin` from now on; the plug-in held before is destroyed.
  virtual void setPlugin(std::unique_ptr<ZPlugin> plugin) = 0;
  virtual void setLabel(const std::string& label) = 0;
};

// A display without a window: it only keeps the plug-in.
class ZPluginHolder : public ZPluginDisplay {
 public:
  ZPlugin* plugin() const override { return plugin_.get(); }
  void setPlugin(std::unique_ptr<ZPlugin> plugin) override { plugin_ = std::move(plugin); }
  void setLabel(const std::string&) override {}
  std::unique_ptr<ZPlugin> take() { return std::move(plugin_); }

 private:
  std::unique_ptr<ZPlugin> plugin_;
};
