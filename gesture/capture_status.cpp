#include "gesture/capture_status.h"

#include <mutex>

namespace {

struct StatusHolder {
  std::mutex lock;
  CaptureStatus status;
  CaptureStatusListener listener = nullptr;
};

StatusHolder& Holder() {
  static StatusHolder holder;
  return holder;
}

}  // namespace

CaptureStatus CurrentCaptureStatus() {
  StatusHolder& holder = Holder();
  std::lock_guard<std::mutex> guard(holder.lock);
  return holder.status;
}

void SetCaptureStatus(const CaptureStatus& status) {
  StatusHolder& holder = Holder();
  CaptureStatusListener listener;
  {
    std::lock_guard<std::mutex> guard(holder.lock);
    holder.status = status;
    listener = holder.listener;
  }
  if (listener) listener(status);  // outside the lock: the tray may read it back
}

void SetCaptureStatusListener(CaptureStatusListener listener) {
  StatusHolder& holder = Holder();
  std::lock_guard<std::mutex> guard(holder.lock);
  holder.listener = listener;
}
