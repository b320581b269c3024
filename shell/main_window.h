// The main window of class "ZavotraClass": a skinned, borderless window cut
// to the shape of its skin, with the main menu, sound and hide buttons and the
// three action views (services, common, application) in their page
// container. It is hidden rather than closed, owns the tray icon's callback,
// and on destruction keeps the registry entries and the profile up to date
// before the message loop ends.
#pragma once
#include <windows.h>

#include <memory>

#include "common/gdi_objects.h"
#include "plugins/plugin_display.h"
#include "plugins/plugin_manager.h"
#include "ui/action_clipboard.h"
#include "ui/element_host.h"

class ZActionView;
class ZMainCommands;
class ZOnOffButton;
class ZTextButton;
class ZViewContainer;

class ZMainWindow : public ZElementHost {
 public:
  static constexpr int kWidth = 573;
  static constexpr int kHeight = 511;
  static const char kClassName[];
  static constexpr int kPageCount = ZPluginManager::kSlotCount;

  ZMainWindow();
  ~ZMainWindow() override;
  ZMainWindow(const ZMainWindow&) = delete;
  ZMainWindow& operator=(const ZMainWindow&) = delete;

  // Creates the window at the settings' position (centred when that is off
  // screen); shows it on a first start or when not starting hidden.
  bool create();
  HWND handle() const { return window(); }
  void destroy();

  ZActionView& view(ZPluginManager::Slot slot) const { return *pages_[slot].view; }
  ZTextButton& label(ZPluginManager::Slot slot) const { return *pages_[slot].label; }
  ZViewContainer& container() const { return *container_; }
  ZOnOffButton& soundButton() const { return *sound_; }
  HWND tooltip() const { return tooltip_; }
  ZMainCommands& commands() const { return *commands_; }
  // The page shown at full size.
  ZPluginManager::Slot openSlot() const;

  // Shown, brought to the front and made the foreground window.
  void bringForward();
  // Hidden; the element under the pointer hears that the pointer left.
  void hide();
  void confirmExit();
  // A label was clicked: its page opens, or, when open, its menu shows.
  void labelClicked(ZPluginManager::Slot slot);
  // The sound button follows the settings (after a profile change).
  void showSoundSetting();

 protected:
  void draggingChanged(bool dragging) override;

 private:
  // One page of the container: what the plug-in manager puts into a slot
  // goes to its view, and the slot's label to the label button.
  class Page : public ZPluginDisplay {
   public:
    ZPlugin* plugin() const override;
    void setPlugin(std::unique_ptr<ZPlugin> plugin) override;
    void setLabel(const std::string& text) override;

    ZMainWindow* window = nullptr;
    ZTextButton* label = nullptr;
    ZActionView* view = nullptr;
    size_t index = 0;
  };

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT programMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void onCreate();
  void onDestroy();
  void onSysCommand(WPARAM command, LPARAM lParam);
  void onTrayNotify(LPARAM mouseMessage);
  void paint();

  void shapeToSkin();
  void createTooltip();
  void createElements();
  void addTip(const ZWindowElement& element, UINT id, UINT textId);
  void updateLabelTips();
  void storePosition();

  ZBitmap skin_;
  HWND tooltip_ = nullptr;
  std::unique_ptr<ZViewContainer> container_;
  ZOnOffButton* sound_ = nullptr;
  ZActionClipboard servicesClipboard_;
  ZActionClipboard sharedClipboard_;  // common and application: actions move between them
  Page pages_[kPageCount];
  std::unique_ptr<ZMainCommands> commands_;
  bool shutDown_ = false;  // the destruction work runs once, however WM_DESTROY arrives
};

// The position at which the main window opens for (x, y) on this machine's screens.
POINT MainWindowPosition(int x, int y);
