#include "shell/main_window.h"

#include <commctrl.h>

#include "actions/action_workers.h"
#include "common/app_context.h"
#include "common/settings.h"
#include "common/string_resource.h"
#include "common/tray_icon.h"
#include "gesture/hook_library.h"
#include "resources/zavotra_ids.h"
#include "shell/capture_messages.h"
#include "shell/main_commands.h"
#include "shell/optional_functions.h"
#include "shell/profile_set.h"
#include "shell/registry_entries.h"
#include "shell/skin_region.h"
#include "shell/startup_steps.h"
#include "shell/window_placement.h"
#include "ui/action_view.h"
#include "ui/on_off_button.h"
#include "ui/push_button.h"
#include "ui/text_button.h"
#include "ui/view_container.h"

const char ZMainWindow::kClassName[] = "ZavotraClass";

namespace {
using Slot = ZPluginManager::Slot;

// Where the parts of the skin are, in client coordinates.
constexpr RECT kContainer = {1, 81, 571, 473};
constexpr POINT kMenuButton = {427, 35};
constexpr POINT kSoundButton = {472, 35};
constexpr POINT kHideButton = {522, 35};
constexpr int kLabelPoints = 10;
constexpr UINT_PTR kLabelTips[ZMainWindow::kPageCount] = {ID_SERVICES_LABEL, ID_COMMON_LABEL, ID_APPLICATION_LABEL};
constexpr UINT kLocalMenus[ZMainWindow::kPageCount] = {IDR_SERVICES_MENU, IDR_COMMON_MENU, IDR_APPLICATION_MENU};
// The page shown at full size when the window is made.
constexpr Slot kFirstOpenPage = ZPluginManager::kCommon;
// How long the exit waits for running actions to end. Each ends at its next
// wait; this bounds one stuck in a system call.
constexpr DWORD kActionStopLimitMs = 2000;

ZRect ToZRect(const RECT& r) { return ZRect{r.left, r.top, r.right, r.bottom}; }

bool MonitorRect(int x, int y, ZRect& rect) {
  const ZOptionalFunctions& f = OptionalFunctions();
  if (!HasCapability(Capability::MultipleMonitors) || !f.monitorFromPoint || !f.getMonitorInfo) return false;
  HMONITOR monitor = f.monitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!monitor || !f.getMonitorInfo(monitor, &info)) return false;
  rect = ToZRect(info.rcMonitor);
  return true;
}

bool RegisterMainClass() {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(AppInstance(), ZMainWindow::kClassName, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = AppInstance();
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hIcon = LoadIconA(AppInstance(), MAKEINTRESOURCEA(IDI_ZAVOTRA));
  wc.lpszClassName = ZMainWindow::kClassName;
  return RegisterClassExA(&wc) != 0;
}

HFONT LabelFont() {
  ZWindowDC screen(nullptr);
  const int height = -MulDiv(kLabelPoints, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

TTTOOLINFOA ToolInfo(HWND window, UINT_PTR id) {
  TTTOOLINFOA info = {};
  info.cbSize = sizeof info;
  info.hwnd = window;
  info.uId = id;
  return info;
}
}  // namespace

POINT MainWindowPosition(int x, int y) {
  ZRect monitor;
  ZPoint place = MonitorRect(x, y, monitor)
                     ? PlaceOnMonitor(x, y, ZMainWindow::kWidth, ZMainWindow::kHeight, monitor)
                     : PlaceOnScreen(x, y, ZMainWindow::kWidth, ZMainWindow::kHeight,
                                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return POINT{place.x, place.y};
}

// --- the pages as displays of the plug-in manager ---------------------------

ZPlugin* ZMainWindow::Page::plugin() const { return view->plugin(); }
void ZMainWindow::Page::setPlugin(std::unique_ptr<ZPlugin> plugin) { view->setPlugin(std::move(plugin)); }
void ZMainWindow::Page::setLabel(const std::string& text) {
  label->setText(text);
  window->updateLabelTips();
}

// --- creation and destruction ---------------------------------------------

ZMainWindow::ZMainWindow() : commands_(std::make_unique<ZMainCommands>(*this)) {}

ZMainWindow::~ZMainWindow() { destroy(); }

void ZMainWindow::destroy() {
  if (window() && IsWindow(window())) DestroyWindow(window());
  setWindow(nullptr);
}

bool ZMainWindow::create() {
  if (!RegisterMainClass()) return false;
  const POINT place = MainWindowPosition(Settings().windowX, Settings().windowY);
  // The class procedure is the default one so that the class can exist
  // before any object; each window routes to its object from creation on.
  HWND window = CreateWindowExA(WS_EX_APPWINDOW, kClassName, LoadAnsiString(IDS_APP_TITLE, AppInstance()).c_str(),
                                WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, place.x, place.y, kWidth,
                                kHeight, nullptr, nullptr, AppInstance(), nullptr);
  if (!window) return false;
  setWindow(window);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ZMainWindow::procedure));
  onCreate();
  return true;
}

void ZMainWindow::onCreate() {
  SetMainWindow(window());
  shapeToSkin();
  createTooltip();
  createElements();
  LoadViewPlugins();
  container_->openPage(kFirstOpenPage, false);
  RegisterActionHotkeys();
  updateLabelTips();
  CreateTrayIcon();
  LoadHookLibrary();
  const bool firstTime = Settings().firstTime;  // saving clears it
  if (firstTime) Profiles().saveCurrent();
  if (firstTime || !Settings().startHidden) bringForward();
}

void ZMainWindow::shapeToSkin() {
  skin_.reset(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_SKIN)));
  if (HRGN region = SkinRegion(skin_.get())) SetWindowRgn(window(), region, TRUE);  // the system owns it now
}

void ZMainWindow::createTooltip() {
  tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window(), nullptr, AppInstance(), nullptr);
  if (tooltip_) SetWindowPos(tooltip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ZMainWindow::addTip(const ZWindowElement& element, UINT id, UINT textId) {
  if (!tooltip_) return;
  const std::string text = LoadAnsiString(textId, AppInstance());
  TTTOOLINFOA info = ToolInfo(window(), id);
  info.uFlags = TTF_SUBCLASS;
  info.rect = element.rect();
  info.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void ZMainWindow::createElements() {
  container_ = std::make_unique<ZViewContainer>(*this, kContainer);
  auto& menu = add<ZPushButton>(ID_MAIN_MENU_BUTTON, kMenuButton,
                                ZButtonImages{IDB_MENU_NORMAL, IDB_MENU_HOVER, IDB_MENU_PRESSED});
  sound_ = &add<ZOnOffButton>(ID_SOUND_BUTTON, kSoundButton,
                              ZButtonImages{IDB_SOUND_ON_NORMAL, IDB_SOUND_ON_HOVER, IDB_SOUND_ON_PRESSED},
                              ZButtonImages{IDB_SOUND_OFF_NORMAL, IDB_SOUND_OFF_HOVER, IDB_SOUND_OFF_PRESSED},
                              Settings().playSounds);
  auto& hide = add<ZPushButton>(ID_HIDE_BUTTON, kHideButton,
                                ZButtonImages{IDB_HIDE_NORMAL, IDB_HIDE_HOVER, IDB_HIDE_PRESSED});
  addTip(menu, ID_MAIN_MENU_BUTTON, IDS_TIP_MAIN_MENU);
  addTip(*sound_, ID_SOUND_BUTTON, IDS_TIP_SOUNDS);
  addTip(hide, ID_HIDE_BUTTON, IDS_TIP_HIDE);

  const auto key = []() -> const ZKeyBlock& { return PluginManager().fileKey(); };
  ZActionClipboard* clipboards[kPageCount] = {&servicesClipboard_, &sharedClipboard_, &sharedClipboard_};
  for (int slot = 0; slot < kPageCount; ++slot) {
    Page& page = pages_[slot];
    page.window = this;
    page.label = &add<ZTextButton>(static_cast<int>(kLabelTips[slot]), POINT{kContainer.left, kContainer.top},
                                   PluginManager().label(static_cast<Slot>(slot)), LabelFont());
    page.view = &add<ZActionView>(*clipboards[slot], key);
    // A change may add or remove hotkeys.
    page.view->setChangeListener([] { PluginManager().reregisterHotkeys(); });
    page.index = container_->addPage(*page.label, *page.view);
    addTip(*page.label, static_cast<UINT>(kLabelTips[slot]), IDS_TIP_MAXIMIZE_VIEW);
    PluginManager().showIn(static_cast<Slot>(slot), &page);
  }
}

void ZMainWindow::onDestroy() {
  if (shutDown_) return;
  shutDown_ = true;
  // Running actions end at their next wait while the profile is saved; they
  // must be gone before the hook library they suspend capture through is.
  ActionWorkers().requestStop();
  WriteRegistryEntries();
  Profiles().saveCurrent();
  ActionWorkers().waitForAll(kActionStopLimitMs);
  ReleaseHookLibrary();
  KillTimer(window(), ID_FEEDBACK_TIMER);
  for (int slot = 0; slot < kPageCount; ++slot) PluginManager().showIn(static_cast<Slot>(slot), nullptr);
  destroyElements();
  container_.reset();
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  PostQuitMessage(0);
}

// --- showing, hiding, labels -------------------------------------------------

void ZMainWindow::bringForward() {
  ShowWindow(window(), SW_SHOWNORMAL);
  SetWindowPos(window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window());
  SetWindowPos(window(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void ZMainWindow::hide() {
  ShowWindow(window(), SW_HIDE);
  leaveHover();
  setCaptureElement(nullptr);
  if (GetCapture() == window()) ReleaseCapture();
}

void ZMainWindow::confirmExit() {
  const std::string question = LoadAnsiString(IDS_CONFIRM_EXIT, AppInstance());
  const std::string title = LoadAnsiString(IDS_APP_TITLE, AppInstance());
  int answer;
  {
    ZModalDialogScope modal;
    answer = MessageBoxA(window(), question.c_str(), title.c_str(), MB_YESNO | MB_ICONSTOP);
  }
  if (answer == IDYES) DestroyWindow(window());
}

ZPluginManager::Slot ZMainWindow::openSlot() const {
  for (int slot = 0; slot < kPageCount; ++slot)
    if (pages_[slot].index == container_->openIndex()) return static_cast<Slot>(slot);
  return kFirstOpenPage;
}

void ZMainWindow::labelClicked(Slot slot) {
  Page& page = pages_[slot];
  if (page.view->isOpen()) {
    POINT at;
    GetCursorPos(&at);
    commands_->showMenu(kLocalMenus[slot], at);
    return;
  }
  container_->openPage(page.index, true);
  updateLabelTips();
}

void ZMainWindow::updateLabelTips() {
  if (!tooltip_ || !container_) return;
  for (const Page& page : pages_) {
    if (!page.label) continue;
    TTTOOLINFOA info = ToolInfo(window(), kLabelTips[page.index]);
    info.rect = page.label->rect();
    SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
    const std::string text =
        LoadAnsiString(page.view->isOpen() ? IDS_TIP_LOCAL_MENU : IDS_TIP_MAXIMIZE_VIEW, AppInstance());
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void ZMainWindow::showSoundSetting() {
  if (sound_) sound_->setState(Settings().playSounds);
}

void ZMainWindow::draggingChanged(bool dragging) { CaptureMessages().setWindowDragged(dragging); }

// --- messages ------------------------------------------------------------------

void ZMainWindow::onSysCommand(WPARAM command, LPARAM lParam) {
  switch (command & 0xFFF0) {
    case SC_MINIMIZE: hide(); return;
    case SC_MAXIMIZE: ShowWindow(window(), SW_SHOWNORMAL); return;
    case SC_CLOSE: confirmExit(); return;
  }
  DefWindowProcA(window(), WM_SYSCOMMAND, command, lParam);
}

void ZMainWindow::onTrayNotify(LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDOWN:
      bringForward();
      break;
    case WM_RBUTTONDOWN:
      if (HookLibrary* hook = LoadedHookLibrary()) hook->setBoth(!hook->isEnabled(), true);
      break;
  }
}

LRESULT ZMainWindow::programMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TRAY_NOTIFY) {
    // Not while a dialog of the program may be changing what the tray switches.
    if (ModalDialogCount() == 0) onTrayNotify(lParam);
    return 0;
  }
  return CaptureMessages().handle(message, wParam, lParam);
}

void ZMainWindow::storePosition() {
  if (IsIconic(window())) return;
  RECT r;
  GetWindowRect(window(), &r);
  Settings().windowX = r.left;
  Settings().windowY = r.top;
}

void ZMainWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window(), &ps);
  const RECT& update = ps.rcPaint;
  const int width = update.right - update.left;
  const int height = update.bottom - update.top;
  if (width > 0 && height > 0) {
    // Painted off screen and shown in one copy, so nothing flickers.
    ZBitmap buffer(CreateCompatibleBitmap(dc, width, height));
    ZMemoryDC memory(dc);
    ZMemoryDC skin(dc);
    if (buffer && memory && skin) {
      ZSelection bufferSelected(memory.get(), buffer.get());
      SetViewportOrgEx(memory.get(), -update.left, -update.top, nullptr);
      {
        ZSelection skinSelected(skin.get(), skin_.get());
        BitBlt(memory.get(), update.left, update.top, width, height, skin.get(), update.left, update.top, SRCCOPY);
      }
      paintElements(memory.get(), update);
      SetViewportOrgEx(memory.get(), 0, 0, nullptr);
      BitBlt(dc, update.left, update.top, width, height, memory.get(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(window(), &ps);
}

LRESULT ZMainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  // A destroy message posted from outside (as the installer sends it) ends
  // the program but leaves the window until the loop is over: it only waits.
  if (shutDown_ && message != WM_DESTROY) return DefWindowProcA(window(), message, wParam, lParam);
  if (message >= WM_USER && message < 0x7FFF) return programMessage(message, wParam, lParam);
  const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (message) {
    case WM_HOTKEY:
      PluginManager().hotkeyPressed(HIWORD(lParam), LOWORD(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == ID_FEEDBACK_TIMER) CaptureMessages().endFeedbackPeriod();
      if (wParam == ID_CAPTURE_OFF_TIMER) CaptureMessages().watchCaptureOff();
      return 0;
    case WM_DESTROY:
      onDestroy();
      return 0;
    case WM_MOVE:
      storePosition();
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) ShowWindow(window(), SW_HIDE);
      else if (wParam == SIZE_MAXIMIZED) ShowWindow(window(), SW_SHOWNORMAL);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && container_) {
        if (HWND list = view(openSlot()).listView()) SetFocus(list);
      }
      return 0;
    case WM_CLOSE:
      hide();  // the program keeps running
      return 0;
    case WM_QUERYENDSESSION:
      return ModalDialogCount() == 0;
    case WM_ENDSESSION:
      if (wParam) DestroyWindow(window());
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paint();
      return 0;
    case WM_SYSCOMMAND:
      onSysCommand(wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      mouseMove(static_cast<UINT>(wParam), at);
      return 0;
    case WM_LBUTTONDOWN:
      buttonDown(static_cast<UINT>(wParam), at);
      return 0;
    case WM_LBUTTONUP:
      buttonUp(static_cast<UINT>(wParam), at);
      return 0;
    case WM_COMMAND:
      if (commands_->run(LOWORD(wParam), HIWORD(wParam))) return 0;
      break;
    case WM_NOTIFY:
      return 0;
  }
  return DefWindowProcA(window(), message, wParam, lParam);
}

LRESULT CALLBACK ZMainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ZMainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->setWindow(nullptr);
    SetMainWindow(nullptr);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->handle(message, wParam, lParam);
}
