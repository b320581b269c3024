#include "actions/word_selection.h"

#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// The word processor's application interface (dual).
constexpr IID kApplicationIid = {0x00020970, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Property getters of the automation objects, by their vtable slot (counted
// from 0, the three IUnknown and four IDispatch slots included).
constexpr int kApplicationActiveWindowSlot = 14;
constexpr int kWindowCaptionSlot = 26;
constexpr int kWindowSelectionSlot = 13;
constexpr int kSelectionTextSlot = 7;

// Owns a BSTR.
class ZBstr {
 public:
  ZBstr() = default;
  ~ZBstr() { SysFreeString(value_); }
  ZBstr(const ZBstr&) = delete;
  ZBstr& operator=(const ZBstr&) = delete;
  BSTR* out() { return &value_; }
  std::wstring text() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring(); }

 private:
  BSTR value_ = nullptr;
};

// Calls the property getter in `slot` of a dual interface.
template <typename Result>
HRESULT GetProperty(IUnknown* object, int slot, Result* result) {
  using Getter = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, Result*);
  Getter* table = *reinterpret_cast<Getter**>(object);
  return table[slot](object, result);
}

// The getter hands over a reference of its own. (The toolchain's ComPtr
// Attach adds one more, so the pointer is received in place instead.)
bool ReadDispatch(IUnknown* object, int slot, ComPtr<IDispatch>& result) {
  return SUCCEEDED(GetProperty(object, slot, result.ReleaseAndGetAddressOf())) && result;
}

bool ReadString(IUnknown* object, int slot, std::wstring& result) {
  ZBstr value;
  if (FAILED(GetProperty(object, slot, value.out()))) return false;
  result = value.text();
  return true;
}

std::wstring WindowCaption(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
  caption.resize(static_cast<size_t>(GetWindowTextW(window, &caption[0], length + 1)));
  return caption;
}

// The selection of `application` when its active window is the one shown as
// `topLevelCaption`.
bool ReadFromApplication(IUnknown* application, const std::wstring& topLevelCaption,
                         std::wstring& selection) {
  ComPtr<IDispatch> window;
  if (!ReadDispatch(application, kApplicationActiveWindowSlot, window)) return false;
  std::wstring caption;
  if (!ReadString(window.Get(), kWindowCaptionSlot, caption) || caption.empty()) return false;
  if (topLevelCaption.find(caption) == std::wstring::npos) return false;
  ComPtr<IDispatch> selectionObject;
  if (!ReadDispatch(window.Get(), kWindowSelectionSlot, selectionObject)) return false;
  return ReadString(selectionObject.Get(), kSelectionTextSlot, selection);
}

// COM for this thread while the running object table is read; the action's
// worker thread may not have joined an apartment yet.
class ZComScope {
 public:
  ZComScope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
  ~ZComScope() {
    if (initialized_) CoUninitialize();
  }
  ZComScope(const ZComScope&) = delete;
  ZComScope& operator=(const ZComScope&) = delete;

 private:
  bool initialized_;
};

}  // namespace

bool ReadWordSelection(HWND topLevel, std::wstring& selection) {
  ZComScope com;
  ComPtr<IRunningObjectTable> table;
  if (FAILED(GetRunningObjectTable(0, &table))) return false;
  ComPtr<IEnumMoniker> monikers;
  if (FAILED(table->EnumRunning(&monikers)) || !monikers) return false;
  const std::wstring caption = WindowCaption(topLevel);
  for (;;) {
    ComPtr<IMoniker> moniker;
    if (monikers->Next(1, &moniker, nullptr) != S_OK) return false;
    ComPtr<IUnknown> object;
    if (FAILED(table->GetObject(moniker.Get(), &object)) || !object) continue;
    ComPtr<IUnknown> application;
    if (FAILED(object->QueryInterface(kApplicationIid, reinterpret_cast<void**>(application.GetAddressOf()))))
      continue;
    if (ReadFromApplication(application.Get(), caption, selection)) return true;
  }
}
