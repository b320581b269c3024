// A small wizard framework: a modal dialog with Back, Next, Finish and
// Cancel buttons that hosts one child page at a time, each page a dialog
// resource of its own (style DS_CONTROL | WS_CHILD). The wizard owns its
// pages; a page's window exists only while the page is shown. Pages are
// addressed by their position or by their dialog id; a page steers Back and
// Next through its back and next targets.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

class Wizard;

class WizardPage {
 public:
  WizardPage(Wizard& wizard, int pageId) : wizard_(wizard), pageId_(pageId) {}
  virtual ~WizardPage();
  WizardPage(const WizardPage&) = delete;
  WizardPage& operator=(const WizardPage&) = delete;

  Wizard& wizard() const { return wizard_; }
  int pageId() const { return pageId_; }
  // The page's dialog while it is shown, else null.
  HWND window() const { return window_; }

  // The page's dialog procedure hands every message here; true when handled.
  virtual INT_PTR handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  virtual void onInit(HWND window) {}
  // By default any command of a control only updates the page.
  virtual bool onCommand(int controlId, int code, HWND control);
  virtual bool onNotify(NMHDR* header) { return false; }
  virtual bool onDroppedFiles(HDROP drop) { return false; }
  // Brings the wizard's buttons and the page's controls up to date.
  virtual void update() {}
  // Creates the page's dialog as a child of the wizard; false when the
  // dialog resource can't be found or created.
  virtual bool create();
  // Leaving the page: it keeps what its controls say, then its window goes.
  virtual void leave();
  // Where Back and Next go: a page id, 0 for the page before or after this
  // one, -1 to stay.
  virtual int backTarget() { return 0; }
  virtual int nextTarget() { return 0; }
  virtual bool mayFinish() { return true; }
  virtual bool mayCancel() { return true; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Wizard& wizard_;
  int pageId_;
  HWND window_ = nullptr;
};

class Wizard {
 public:
  // Buttons: IDC_WIZARD_BACK, IDC_WIZARD_NEXT, IDC_WIZARD_FINISH and IDCANCEL
  // (resources/zavotra_ids.h), in every wizard dialog.
  static constexpr INT_PTR kFinished = 1;
  static constexpr INT_PTR kCancelled = 2;

  Wizard(int dialogId, HWND owner) : dialogId_(dialogId), owner_(owner) {}
  virtual ~Wizard() = default;
  Wizard(const Wizard&) = delete;
  Wizard& operator=(const Wizard&) = delete;

  // Runs the dialog modally with the program's modal count raised; gives the
  // keyboard focus back to the window that had it. kFinished, kCancelled,
  // or -1 when the dialog could not be created.
  INT_PTR run();

  void addPage(std::unique_ptr<WizardPage> page) { pages_.push_back(std::move(page)); }
  size_t pageCount() const { return pages_.size(); }
  WizardPage* page(size_t index) const { return index < pages_.size() ? pages_[index].get() : nullptr; }
  // The shown page, or null.
  WizardPage* currentPage() const { return current_ >= 0 ? pages_[static_cast<size_t>(current_)].get() : nullptr; }
  int current() const { return current_; }
  int previousPageId() const { return previousPageId_; }
  HWND window() const { return window_; }
  HWND owner() const { return owner_; }

  // Leaves the shown page and shows page `index` (-1: none).
  void showPage(int index);
  // The first page with that dialog id; nothing happens when there is none.
  void showPageById(int pageId);
  // Enables or disables one of the four buttons.
  void enableButton(int buttonId, bool enabled);

  // Where a page goes, in the wizard's client coordinates: the placeholder
  // control IDC_WIZARD_PAGE_AREA when the dialog has one, else the client
  // area's top left corner.
  POINT pageOrigin() const;

  virtual INT_PTR handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  virtual void onInit(HWND window);
  virtual void onDestroy() {}
  virtual bool onCommand(int controlId, int code, HWND control);
  virtual LRESULT onNotify(NMHDR* header) { return 0; }
  // The buttons act only for a notification code of 0 (a click).
  virtual void onBackButton(int code);
  virtual void onNextButton(int code);
  virtual void onFinishButton(int code);
  virtual void onCancelButton(int code);
  virtual void back();
  virtual void next();
  virtual void finish();
  virtual void cancel();

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void go(int target, int step);

  int dialogId_;
  HWND owner_;
  HWND window_ = nullptr;
  std::vector<std::unique_ptr<WizardPage>> pages_;
  int current_ = -1;
  int previousPageId_ = 0;
};
