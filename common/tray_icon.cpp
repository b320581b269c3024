#include "common/tray_icon.h"

#include <cstring>

#include "common/app_context.h"

namespace {
// The first form of the record: every shell since Windows 95 reads it, and
// its tip holds 64 bytes.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(sizeof(void*) != 4 || kRecordSize == 88, "the 88-byte tray record of the first shells");

HICON LoadTrayIcon(int iconId) {
  return static_cast<HICON>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}
}  // namespace

ZTrayIcon::ZTrayIcon() {
  memset(&data_, 0, sizeof data_);
  data_.cbSize = kRecordSize;
  data_.uID = kIconId;
}

ZTrayIcon::~ZTrayIcon() { remove(); }

void ZTrayIcon::prepare(int iconId, const std::string& tip) {
  if (iconId != iconId_ || !icon_) {
    // The shell keeps its own copy of the icon: the old handle may go at once.
    icon_.reset(LoadTrayIcon(iconId));
    iconId_ = iconId;
  }
  data_.hIcon = icon_.get();
  const size_t length = tip.size() < kTipLength ? tip.size() : kTipLength;
  memset(data_.szTip, 0, sizeof data_.szTip);
  memcpy(data_.szTip, tip.data(), length);
}

bool ZTrayIcon::add(HWND window, UINT callbackMessage, int iconId, const std::string& tip) {
  if (added_) remove();
  prepare(iconId, tip);
  data_.hWnd = window;
  data_.uCallbackMessage = callbackMessage;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
  return added_;
}

bool ZTrayIcon::show(int iconId, const std::string& tip) {
  prepare(iconId, tip);
  if (!added_) return false;
  data_.uFlags = NIF_ICON | NIF_TIP;
  return Shell_NotifyIconA(NIM_MODIFY, &data_) != FALSE;
}

void ZTrayIcon::remove() {
  if (!added_) return;
  data_.uFlags = 0;
  Shell_NotifyIconA(NIM_DELETE, &data_);
  added_ = false;
}

ZTrayIcon& TrayIcon() {
  static ZTrayIcon icon;
  return icon;
}
