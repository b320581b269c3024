#include "actions/browser_session.h"

#include <windows.h>
#include <exdisp.h>
#include <mshtml.h>
#include <oleidl.h>
#include <wrl/client.h>

#include "actions/keystrokes.h"
#include "common/bstr.h"
#include "common/utf8.h"

using Microsoft::WRL::ComPtr;

namespace {

// The published identifiers, spelled out so that no import library of the
// browser is needed.
const CLSID kInternetExplorer = {0x0002DF01, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr LONG kReadyStateComplete = 4;  // READYSTATE_COMPLETE
constexpr DWORD kKeyHoldMs = 80;

// A VARIANT that is cleared when it goes.
class ZVariant {
 public:
  ZVariant() { VariantInit(&value_); }
  ~ZVariant() { VariantClear(&value_); }
  ZVariant(const ZVariant&) = delete;
  ZVariant& operator=(const ZVariant&) = delete;

  static void Omitted(ZVariant& v) {
    v.value_.vt = VT_ERROR;
    v.value_.scode = DISP_E_PARAMNOTFOUND;
  }
  void setInteger(int32_t number) {
    VariantClear(&value_);
    value_.vt = VT_I4;
    value_.lVal = number;
  }
  void setText(const std::u16string& text) {
    VariantClear(&value_);
    value_.vt = VT_BSTR;
    value_.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                       static_cast<UINT>(text.size()));
  }
  VARIANT& get() { return value_; }

 private:
  VARIANT value_;
};

ZBstr TextBstr(const std::u16string& text) {
  return ZBstr::Attach(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                         static_cast<UINT>(text.size())));
}

void SetId(ZVariant& variant, const ScriptId& id) {
  if (id.byIndex) variant.setInteger(id.index);
  else variant.setText(Utf8ToUtf16(id.name));
}

// item(name, index) of a collection, asked for interface I.
template <typename I, typename Collection>
ComPtr<I> Item(Collection* collection, VARIANT& name, VARIANT& index) {
  ComPtr<IDispatch> found;
  ComPtr<I> item;
  if (collection && SUCCEEDED(collection->item(name, index, &found)) && found) found.As(&item);
  return item;
}

bool SameObject(IUnknown* a, IUnknown* b) {
  ComPtr<IUnknown> first, second;
  if (!a || !b || FAILED(a->QueryInterface(IID_PPV_ARGS(&first))) ||
      FAILED(b->QueryInterface(IID_PPV_ARGS(&second))))
    return false;
  return first.Get() == second.Get();
}

class ZHtmlForm;

class ZHtmlElement : public ScriptElement {
 public:
  explicit ZHtmlElement(ComPtr<IHTMLElement> element) : element_(std::move(element)) {}

  bool setValue(const std::u16string& value) override {
    ZBstr text = TextBstr(value);
    ComPtr<IHTMLInputElement> input;
    if (SUCCEEDED(element_.As(&input))) return SUCCEEDED(input->put_value(text.get()));
    ComPtr<IHTMLTextAreaElement> area;
    if (SUCCEEDED(element_.As(&area))) return SUCCEEDED(area->put_value(text.get()));
    return false;
  }
  bool setSelectedIndex(int32_t index) override {
    ComPtr<IHTMLSelectElement> select;
    return SUCCEEDED(element_.As(&select)) && SUCCEEDED(select->put_selectedIndex(index));
  }
  bool click() override { return SUCCEEDED(element_->click()); }
  bool isInputOf(const ScriptForm& form) const override;

 private:
  ComPtr<IHTMLElement> element_;
};

class ZHtmlForm : public ScriptForm {
 public:
  explicit ZHtmlForm(ComPtr<IHTMLFormElement> form) : form_(std::move(form)) {}

  std::unique_ptr<ScriptElement> element(const ScriptId& id) override {
    ZVariant name, index;
    SetId(name, id);
    ZVariant::Omitted(index);
    ComPtr<IHTMLElement> element = Item<IHTMLElement>(form_.Get(), name.get(), index.get());
    return element ? std::make_unique<ZHtmlElement>(element) : nullptr;
  }
  bool submit() override { return SUCCEEDED(form_->submit()); }
  IHTMLFormElement* get() const { return form_.Get(); }

 private:
  ComPtr<IHTMLFormElement> form_;
};

bool ZHtmlElement::isInputOf(const ScriptForm& form) const {
  const auto* htmlForm = dynamic_cast<const ZHtmlForm*>(&form);
  ComPtr<IHTMLInputElement> input;
  ComPtr<IHTMLFormElement> owner;
  return htmlForm && SUCCEEDED(element_.As(&input)) && SUCCEEDED(input->get_form(&owner)) &&
         SameObject(owner.Get(), htmlForm->get());
}

class ZHtmlDocument : public ScriptDocument {
 public:
  explicit ZHtmlDocument(ComPtr<IHTMLDocument2> document) : document_(std::move(document)) {}

  std::unique_ptr<ScriptForm> form(const ScriptId& id) override {
    ComPtr<IHTMLElementCollection> forms;
    if (FAILED(document_->get_forms(&forms))) return nullptr;
    ZVariant name, index;
    SetId(name, id);
    ZVariant::Omitted(index);
    ComPtr<IHTMLFormElement> form = Item<IHTMLFormElement>(forms.Get(), name.get(), index.get());
    return form ? std::make_unique<ZHtmlForm>(form) : nullptr;
  }
  std::unique_ptr<ScriptElement> element(const ScriptId& id) override {
    ZVariant name, index;
    SetId(name, id);
    ZVariant::Omitted(index);
    return allItem(name, index);
  }
  std::unique_ptr<ScriptElement> namedElement(const std::string& text, int32_t occurrence) override {
    ZVariant name, index;
    name.setText(Utf8ToUtf16(text));
    index.setInteger(occurrence);
    return allItem(name, index);
  }
  std::unique_ptr<ScriptDocument> frame(int32_t position) override;

 private:
  std::unique_ptr<ScriptElement> allItem(ZVariant& name, ZVariant& index) {
    ComPtr<IHTMLElementCollection> all;
    if (FAILED(document_->get_all(&all))) return nullptr;
    ComPtr<IHTMLElement> element = Item<IHTMLElement>(all.Get(), name.get(), index.get());
    return element ? std::make_unique<ZHtmlElement>(element) : nullptr;
  }

  ComPtr<IHTMLDocument2> document_;
};

std::unique_ptr<ScriptDocument> DocumentOf(IWebBrowser2* browser) {
  ComPtr<IDispatch> dispatch;
  ComPtr<IHTMLDocument2> document;
  if (!browser || FAILED(browser->get_Document(&dispatch)) || !dispatch || FAILED(dispatch.As(&document)))
    return nullptr;
  return std::make_unique<ZHtmlDocument>(document);
}

// The embedded object at `position` of the document, seen as a browser.
std::unique_ptr<ScriptDocument> ZHtmlDocument::frame(int32_t position) {
  ComPtr<IOleContainer> container;
  ComPtr<IEnumUnknown> objects;
  if (position < 0 || FAILED(document_.As(&container)) ||
      FAILED(container->EnumObjects(OLECONTF_EMBEDDINGS, &objects)) || !objects)
    return nullptr;
  for (int32_t i = 0;; ++i) {
    ComPtr<IUnknown> object;
    ULONG fetched = 0;
    if (objects->Next(1, &object, &fetched) != S_OK || fetched != 1) return nullptr;
    if (i < position) continue;
    ComPtr<IWebBrowser2> browser;
    if (FAILED(object.As(&browser))) return nullptr;
    return DocumentOf(browser.Get());
  }
}

}  // namespace

std::unique_ptr<ZBrowserSession> ZBrowserSession::create() {
  IWebBrowser2* browser = nullptr;
  if (FAILED(CoCreateInstance(kInternetExplorer, nullptr, CLSCTX_LOCAL_SERVER, IID_IWebBrowser2,
                              reinterpret_cast<void**>(&browser))) ||
      !browser)
    return nullptr;
  return std::unique_ptr<ZBrowserSession>(new ZBrowserSession(browser));
}

ZBrowserSession::ZBrowserSession(IWebBrowser2* browser) : browser_(browser) {}

ZBrowserSession::~ZBrowserSession() { browser_->Release(); }

bool ZBrowserSession::navigate(const std::string& url) {
  ZVariant address, omitted1, omitted2, omitted3, omitted4;
  address.setText(Utf8ToUtf16(url));
  ZVariant::Omitted(omitted1);
  ZVariant::Omitted(omitted2);
  ZVariant::Omitted(omitted3);
  ZVariant::Omitted(omitted4);
  return SUCCEEDED(browser_->Navigate2(&address.get(), &omitted1.get(), &omitted2.get(), &omitted3.get(),
                                       &omitted4.get()));
}

bool ZBrowserSession::waitUntilReady(DWORD limitMs) {
  const DWORD started = GetTickCount();
  for (;;) {
    READYSTATE state = READYSTATE_UNINITIALIZED;
    if (SUCCEEDED(browser_->get_ReadyState(&state)) && state == kReadyStateComplete) return true;
    if (GetTickCount() - started >= limitMs) return false;
    Sleep(kReadyPollMs);
  }
}

HWND ZBrowserSession::window() const {
  SHANDLE_PTR handle = 0;
  if (FAILED(browser_->get_HWND(&handle))) return nullptr;
  return reinterpret_cast<HWND>(handle);
}

void ZBrowserSession::show() {
  browser_->put_Visible(VARIANT_TRUE);
  if (HWND handle = window()) SetForegroundWindow(handle);
}

std::unique_ptr<ScriptDocument> ZBrowserSession::document() { return DocumentOf(browser_); }

void ZBrowserSession::pressKey(ScriptKey key, int32_t count) {
  if (HWND handle = window()) SetForegroundWindow(handle);
  const BYTE virtualKey = key == ScriptKey::Return ? VK_RETURN : VK_TAB;
  for (int32_t i = 0; i < count; ++i) {
    PressKey(virtualKey);
    Sleep(kKeyHoldMs);
    ReleaseKey(virtualKey);
  }
}
