#include "ui/wizard.h"

#include "common/app_context.h"
#include "resources/zavotra_ids.h"

namespace {

// The dialog procedure of a wizard and of its pages: the object rides in the
// dialog's user data from WM_INITDIALOG on, learns its window before it
// handles anything and forgets it when the window goes.
template <typename Owner>
INT_PTR ForwardToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam, HWND Owner::*ownerWindow) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<Owner*>(lParam)->*ownerWindow = window;
  }
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!owner) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, DWLP_USER, 0);
    owner->*ownerWindow = nullptr;
    return FALSE;
  }
  return owner->handleMessage(window, message, wParam, lParam);
}

}  // namespace

WizardPage::~WizardPage() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

INT_PTR WizardPage::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      onInit(window);
      return TRUE;
    case WM_COMMAND:
      return onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
      return onNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_DROPFILES:
      return onDroppedFiles(reinterpret_cast<HDROP>(wParam));
  }
  return FALSE;
}

bool WizardPage::onCommand(int, int, HWND) {
  update();
  return true;
}

bool WizardPage::create() {
  HINSTANCE instance = AppInstance();
  if (!FindResourceA(instance, MAKEINTRESOURCEA(pageId_), reinterpret_cast<LPCSTR>(RT_DIALOG))) return false;
  HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(pageId_), wizard_.window(), &WizardPage::Procedure,
                                   reinterpret_cast<LPARAM>(this));
  if (!window) return false;
  const POINT origin = wizard_.pageOrigin();
  SetWindowPos(window, HWND_TOP, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  update();
  return true;
}

void WizardPage::leave() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

INT_PTR CALLBACK WizardPage::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ForwardToOwner(window, message, wParam, lParam, &WizardPage::window_);
}

INT_PTR Wizard::run() {
  HWND focus = GetFocus();
  INT_PTR result;
  {
    ZModalDialogScope modal;
    result = DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(dialogId_), owner_, &Wizard::Procedure,
                             reinterpret_cast<LPARAM>(this));
  }
  if (focus && IsWindow(focus)) SetFocus(focus);
  return result;
}

void Wizard::showPage(int index) {
  if (WizardPage* shown = currentPage()) {
    previousPageId_ = shown->pageId();
    shown->leave();
  }
  current_ = index >= 0 && static_cast<size_t>(index) < pages_.size() ? index : -1;
  if (current_ >= 0 && !pages_[static_cast<size_t>(current_)]->create()) current_ = -1;
}

void Wizard::showPageById(int pageId) {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i]->pageId() == pageId) {
      showPage(static_cast<int>(i));
      return;
    }
  }
}

void Wizard::enableButton(int buttonId, bool enabled) {
  if (HWND button = GetDlgItem(window_, buttonId)) EnableWindow(button, enabled);
}

POINT Wizard::pageOrigin() const {
  POINT origin{0, 0};
  HWND area = GetDlgItem(window_, IDC_WIZARD_PAGE_AREA);
  if (!area) return origin;
  RECT r;
  GetWindowRect(area, &r);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
  return POINT{r.left, r.top};
}

INT_PTR Wizard::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      onInit(window);
      return TRUE;
    case WM_COMMAND:
      return onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
      SetWindowLongPtrA(window, DWLP_MSGRESULT, onNotify(reinterpret_cast<NMHDR*>(lParam)));
      return TRUE;
    case WM_DESTROY:
      onDestroy();
      return FALSE;
  }
  return FALSE;
}

void Wizard::onInit(HWND window) {
  window_ = window;
  if (!pages_.empty()) showPage(0);
}

bool Wizard::onCommand(int controlId, int code, HWND) {
  switch (controlId) {
    case IDC_WIZARD_BACK: onBackButton(code); return true;
    case IDC_WIZARD_NEXT: onNextButton(code); return true;
    case IDC_WIZARD_FINISH: onFinishButton(code); return true;
    case IDCANCEL: onCancelButton(code); return true;
  }
  return false;
}

void Wizard::onBackButton(int code) {
  if (code == 0) back();
}
void Wizard::onNextButton(int code) {
  if (code == 0) next();
}
void Wizard::onFinishButton(int code) {
  if (code == 0) finish();
}
void Wizard::onCancelButton(int code) {
  if (code == 0) cancel();
}

void Wizard::go(int target, int step) {
  if (target == -1) return;
  if (target != 0) {
    showPageById(target);
    return;
  }
  const int index = current_ + step;
  if (current_ >= 0 && index >= 0 && static_cast<size_t>(index) < pages_.size()) showPage(index);
}

void Wizard::back() {
  if (WizardPage* page = currentPage()) go(page->backTarget(), -1);
}

void Wizard::next() {
  if (WizardPage* page = currentPage()) go(page->nextTarget(), +1);
}

void Wizard::finish() {
  WizardPage* page = currentPage();
  if (page && !page->mayFinish()) return;
  showPage(-1);
  EndDialog(window_, kFinished);
}

void Wizard::cancel() {
  WizardPage* page = currentPage();
  if (page && !page->mayCancel()) return;
  showPage(-1);
  EndDialog(window_, kCancelled);
}

INT_PTR CALLBACK Wizard::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ForwardToOwner(window, message, wParam, lParam, &Wizard::window_);
}
