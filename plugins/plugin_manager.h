// The live actions of the moment: the catalogue of the profile's application
// plug-ins, and three active plug-ins (services, common, application) each
// held by the display (the action view) that shows it. Chooses the
// application plug-in for the window under the pointer, registers the
// hotkeys of the active plug-ins and routes a pressed hotkey to its action.
// One per process, used on the user-interface thread only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plugins/plugin.h"
#include "plugins/plugin_display.h"

// RegisterHotKey modifiers for the modifier byte of an action's hotkey word
// (1 Shift, 2 Ctrl, 4 Alt, 8 extended); values above 15 pass unchanged.
UINT TranslateHotkeyModifiers(uint32_t flags);

class ZPluginManager {
 public:
  enum Slot { kServices = 0, kCommon = 1, kApplication = 2, kSlotCount = 3 };
  using KeySource = std::function<const ZKeyBlock&()>;

  ZPluginManager();
  ZPluginManager(const ZPluginManager&) = delete;
  ZPluginManager& operator=(const ZPluginManager&) = delete;

  // The key of the current profile's plug-in files (DefaultKey() until set).
  void setKeySource(KeySource source) { keySource_ = std::move(source); }
  // The key the plug-in files are read and written with.
  const ZKeyBlock& fileKey() const { return keySource_(); }

  // Header-only entries of every readable "*.zta" in `folder`. The next
  // press detects the application afresh, also over the last window.
  void reloadCatalogue(const std::string& folder);
  const std::vector<std::unique_ptr<ZPlugin>>& catalogue() const { return catalogue_; }
  const std::string& catalogueFolder() const { return catalogueFolder_; }

  // The fully loaded plug-in for top-level window `window` of class
  // `className`, or null. Throws ZReadError when the chosen file can't be read.
  std::unique_ptr<ZPlugin> findPluginForWindow(HWND window, const std::string& className) const;

  // The drawing button went down at `point` (screen): choose the application
  // plug-in for the top-level window there. `gestureInProgress` and
  // `windowDragged` stop it, as does the ApplicationDetection setting.
  void detectApplicationAt(POINT point, bool gestureInProgress, bool windowDragged);
  HWND lastDetectedWindow() const { return lastDetected_; }

  // "services.ztc" and "common.ztc" of `folder` into their slots (an
  // unreadable one leaves its slot empty); the application slot emptied.
  void reloadFixedPlugins(const std::string& folder);
  // The user's choice of a catalogue entry; false (nothing changed) when the
  // file can't be read.
  bool switchToPlugin(const std::string& path);
  // Deletes the file and rebuilds the catalogue from its folder.
  bool deletePlugin(const std::string& path);

  // Hands the slot's plug-in and label to `display`, which shows them from
  // now on. Null gives the slot back to the manager's own holder, empty: the
  // display that goes away destroys the plug-in it showed.
  void showIn(Slot slot, ZPluginDisplay* display);
  ZPlugin* plugin(Slot slot) const { return displays_[slot]->plugin(); }
  const std::string& label(Slot slot) const { return labels_[slot]; }
  // Puts `plugin` (or nothing) into the application slot with its label.
  void setApplicationPlugin(std::unique_ptr<ZPlugin> plugin);

  // Unregisters identifiers 0..n-1 of the main window, then registers the
  // hotkeys of the services, common and application plug-ins.
  void reregisterHotkeys();
  int registeredHotkeyCount() const { return hotkeyCount_; }

  static ZAction* FindActionByHotkey(const ZPlugin* plugin, UINT virtualKey, UINT modifiers);
  // WM_HOTKEY: the application plug-in's action, else the common one's, run
  // on its own thread. Returns the action started, or null.
  ZAction* hotkeyPressed(UINT virtualKey, UINT modifiers);

  // The actions for the recognizer: application, services, common.
  std::vector<ZAction*> candidates() const;

 private:
  std::unique_ptr<ZPlugin> loadInFull(const std::string& path, const ZPlugin* reference) const;
  const ZKeyBlock& key() const { return keySource_(); }
  void setSlot(Slot slot, std::unique_ptr<ZPlugin> plugin, const std::string& label);

  std::vector<std::unique_ptr<ZPlugin>> catalogue_;
  std::string catalogueFolder_;
  ZPluginHolder holders_[kSlotCount];
  ZPluginDisplay* displays_[kSlotCount] = {&holders_[0], &holders_[1], &holders_[2]};
  std::string labels_[kSlotCount];
  HWND lastDetected_ = nullptr;
  int hotkeyCount_ = 0;
  KeySource keySource_;
};

// The process-wide manager.
ZPluginManager& PluginManager();

// Starts `action` on a worker thread, with the modeless "Connecting to %s"
// window first when it is a web-service action. False when it did not start.
bool StartAction(ZAction& action);
