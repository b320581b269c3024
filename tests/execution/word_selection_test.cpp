// The word processor's automation objects, played by small objects with the
// same vtable slots, registered in the running object table behind a
// top-level window of the class "OpusApp".
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "actions/text_insertion.h"
#include "actions/word_selection.h"
#include "desktop_fixture.h"

namespace {

constexpr IID kApplicationIid = {0x00020970, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr int kSlots = 32;

// An object whose vtable answers IUnknown and, in chosen slots, one getter.
struct FakeObject {
  void** vtable;
  LONG references = 1;
  bool isApplication = false;
  IUnknown* child = nullptr;    // what the child getter returns
  const wchar_t* text = nullptr;  // what the text getter returns
  int childSlot = -1;
  int textSlot = -1;
  int secondChildSlot = -1;
  IUnknown* secondChild = nullptr;
};

HRESULT STDMETHODCALLTYPE QueryInterfaceSlot(FakeObject* self, REFIID iid, void** out) {
  if (IsEqualIID(iid, IID_IUnknown) || (self->isApplication && IsEqualIID(iid, kApplicationIid)) ||
      (!self->isApplication && IsEqualIID(iid, IID_IDispatch))) {
    ++self->references;
    *out = self;
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE AddRefSlot(FakeObject* self) { return ++self->references; }
ULONG STDMETHODCALLTYPE ReleaseSlot(FakeObject* self) { return --self->references; }
HRESULT STDMETHODCALLTYPE NotImplementedSlot(FakeObject*) { return E_NOTIMPL; }

template <int Slot>
HRESULT STDMETHODCALLTYPE GetterSlot(FakeObject* self, void** out) {
  if (Slot == self->textSlot) {
    *out = SysAllocString(self->text);
    return S_OK;
  }
  IUnknown* child = Slot == self->childSlot ? self->child : Slot == self->secondChildSlot ? self->secondChild : nullptr;
  if (!child) return E_NOTIMPL;
  child->AddRef();
  *out = child;
  return S_OK;
}

void* g_vtable[kSlots];

void BuildVtable() {
  for (void*& slot : g_vtable) slot = reinterpret_cast<void*>(&NotImplementedSlot);
  g_vtable[0] = reinterpret_cast<void*>(&QueryInterfaceSlot);
  g_vtable[1] = reinterpret_cast<void*>(&AddRefSlot);
  g_vtable[2] = reinterpret_cast<void*>(&ReleaseSlot);
  g_vtable[7] = reinterpret_cast<void*>(&GetterSlot<7>);
  g_vtable[13] = reinterpret_cast<void*>(&GetterSlot<13>);
  g_vtable[14] = reinterpret_cast<void*>(&GetterSlot<14>);
  g_vtable[26] = reinterpret_cast<void*>(&GetterSlot<26>);
}

IUnknown* AsUnknown(FakeObject& object) { return reinterpret_cast<IUnknown*>(&object); }

class WordSelection : public DesktopFixture {
 protected:
  void SetUp() override {
    DesktopFixture::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    BuildVtable();
    selection_.vtable = window_.vtable = application_.vtable = g_vtable;
    selection_.textSlot = 7;
    selection_.text = L"words the user chose";
    window_.textSlot = 26;
    window_.text = L"Report.doc";
    window_.secondChildSlot = 13;
    window_.secondChild = AsUnknown(selection_);
    application_.isApplication = true;
    application_.childSlot = 14;
    application_.child = AsUnknown(window_);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OpusApp";
    RegisterClassW(&windowClass);
    word_ = CreateWindowExW(0, L"OpusApp", L"Report.doc - Word", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80, 300,
                            200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, word_);
    SetForegroundWindow(word_);
    PumpFor(100);

    ASSERT_TRUE(SUCCEEDED(GetRunningObjectTable(0, &table_)));
    ASSERT_TRUE(SUCCEEDED(CreateItemMoniker(L"!", L"ZavotraWordTest", &moniker_)));
    registered_ = SUCCEEDED(table_->Register(0, AsUnknown(application_), moniker_, &cookie_));
  }
  void TearDown() override {
    if (registered_) table_->Revoke(cookie_);
    if (moniker_) moniker_->Release();
    if (table_) table_->Release();
    if (word_) DestroyWindow(word_);
    CoUninitialize();
    DesktopFixture::TearDown();
  }

  FakeObject application_, window_, selection_;
  HWND word_ = nullptr;
  IRunningObjectTable* table_ = nullptr;
  IMoniker* moniker_ = nullptr;
  DWORD cookie_ = 0;
  bool registered_ = false;
};

TEST_F(WordSelection, ReadsTheSelectionOfTheMatchingWindow) {
  if (!registered_) GTEST_SKIP() << "the running object table takes no registrations here";
  std::wstring selection;
  RunOnWorker([&] { selection = GetSelection(); });
  EXPECT_EQ(L"words the user chose", selection);
  // Every object handed out was released again.
  EXPECT_EQ(1, window_.references);
  EXPECT_EQ(1, selection_.references);
}

TEST_F(WordSelection, WindowWithAnotherCaptionDoesNotMatch) {
  if (!registered_) GTEST_SKIP() << "the running object table takes no registrations here";
  window_.text = L"Other.doc";
  std::wstring selection;
  bool found = true;
  RunOnWorker([&] { found = ReadWordSelection(word_, selection); });
  EXPECT_FALSE(found);
  EXPECT_EQ(1, window_.references);
}

}  // namespace
