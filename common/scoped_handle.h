// An owned handle of any kind: `Traits` says which value is none, which values
// are real handles and how one is closed. Nothing leaks on an early return.
#pragma once
#include <utility>

template <typename Handle, typename Traits>
class ZScoped {
 public:
  ZScoped() = default;
  explicit ZScoped(Handle handle) : handle_(handle) {}
  ~ZScoped() { reset(); }
  ZScoped(const ZScoped&) = delete;
  ZScoped& operator=(const ZScoped&) = delete;
  ZScoped(ZScoped&& other) noexcept : handle_(other.release()) {}
  ZScoped& operator=(ZScoped&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::valid(handle_); }
  Handle release() { return std::exchange(handle_, Traits::invalid()); }
  void reset(Handle handle = Traits::invalid()) {
    if (Traits::valid(handle_)) Traits::close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::invalid();
};

// Traits of the handles whose none is null, closed by `Close`.
template <typename Handle, typename Close>
struct ZNullHandleTraits {
  static Handle invalid() { return nullptr; }
  static bool valid(Handle h) { return h != nullptr; }
  static void close(Handle h) { Close()(h); }
};
