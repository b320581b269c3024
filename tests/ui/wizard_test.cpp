// The generic wizard frame under Wine: which page Back and Next show, what
// leaving a page and the Finish and Cancel answers do, the modal count and
// the focus. A script of steps runs on the wizard's own thread from a timer,
// on the dialogs of the plug-in download wizard.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/app_context.h"
#include "resources/zavotra_ids.h"
#include "ui/wizard.h"

namespace {

constexpr int kFirst = IDD_PLUGIN_SELECTION;
constexpr int kSecond = IDD_PLUGIN_INSTALLATION;

class TestPage : public WizardPage {
 public:
  TestPage(Wizard& wizard, int id, std::vector<std::string>& log) : WizardPage(wizard, id), log_(log) {}
  void onInit(HWND) override { log_.push_back("init " + std::to_string(pageId())); }
  void leave() override {
    log_.push_back("leave " + std::to_string(pageId()));
    WizardPage::leave();
  }
  int backTarget() override { return back; }
  int nextTarget() override { return next; }
  bool mayFinish() override { return finish; }
  bool mayCancel() override { return cancel; }

  int back = 0, next = 0;
  bool finish = true, cancel = true;

 private:
  std::vector<std::string>& log_;
};

class ScriptedWizard : public Wizard {
 public:
  using Step = std::function<void(ScriptedWizard&)>;
  ScriptedWizard() : Wizard(IDD_PLUGIN_DOWNLOAD, nullptr) {}

  TestPage& add(int id) {
    auto page = std::make_unique<TestPage>(*this, id, log);
    TestPage& ref = *page;
    addPage(std::move(page));
    return ref;
  }
  void onInit(HWND window) override {
    Wizard::onInit(window);
    SetTimer(window, 1, 10, nullptr);
  }
  INT_PTR handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER && wParam == 1) {
      if (at_ < steps.size()) steps[at_++](*this);
      else cancel();  // the script ran out: leave the dialog whatever it says
      return TRUE;
    }
    return Wizard::handleMessage(window, message, wParam, lParam);
  }
  void click(int button, int code = 0) {
    SendMessageA(window(), WM_COMMAND, MAKEWPARAM(button, code), reinterpret_cast<LPARAM>(GetDlgItem(window(), button)));
  }
  void note(const std::string& text) { log.push_back(text); }
  int shownId() const { return currentPage() ? currentPage()->pageId() : 0; }

  std::vector<Step> steps;
  std::vector<std::string> log;

 private:
  size_t at_ = 0;
};

std::string Id(int id) { return std::to_string(id); }

}  // namespace

TEST(Wizard, BackAndNextFollowThePagesTargets) {
  ScriptedWizard wizard;
  TestPage& first = wizard.add(kFirst);
  TestPage& second = wizard.add(kSecond);
  wizard.steps = {
      [](ScriptedWizard& w) { w.note("shown " + Id(w.shownId())); },
      [](ScriptedWizard& w) { w.click(IDC_WIZARD_BACK); },  // nothing before the first page
      [](ScriptedWizard& w) { w.click(IDC_WIZARD_NEXT, BN_SETFOCUS); },  // not a click: nothing
      [](ScriptedWizard& w) { w.click(IDC_WIZARD_NEXT); },
      [](ScriptedWizard& w) { w.note("shown " + Id(w.shownId()) + " after " + Id(w.previousPageId())); },
      [](ScriptedWizard& w) { w.click(IDC_WIZARD_NEXT); },  // nothing after the last page
      [&](ScriptedWizard& w) {
        second.back = -1;  // stays
        w.click(IDC_WIZARD_BACK);
      },
      [&](ScriptedWizard& w) {
        w.note("shown " + Id(w.shownId()));
        second.back = kFirst;  // by its id
        w.click(IDC_WIZARD_BACK);
      },
      [&](ScriptedWizard& w) {
        w.note("shown " + Id(w.shownId()));
        first.next = kSecond + 1000;  // no such page: nothing happens
        w.click(IDC_WIZARD_NEXT);
      },
      [](ScriptedWizard& w) { w.click(IDC_WIZARD_FINISH); },
  };
  EXPECT_EQ(wizard.run(), Wizard::kFinished);
  EXPECT_EQ(wizard.log, (std::vector<std::string>{
                            "init " + Id(kFirst), "shown " + Id(kFirst), "leave " + Id(kFirst), "init " + Id(kSecond),
                            "shown " + Id(kSecond) + " after " + Id(kFirst), "shown " + Id(kSecond),
                            "leave " + Id(kSecond), "init " + Id(kFirst), "shown " + Id(kFirst), "leave " + Id(kFirst)}));
  EXPECT_EQ(wizard.current(), -1);
  EXPECT_EQ(wizard.previousPageId(), kFirst);
}

TEST(Wizard, FinishAndCancelAskThePage) {
  ScriptedWizard wizard;
  TestPage& page = wizard.add(kFirst);
  page.finish = false;
  page.cancel = false;
  int modalWhileOpen = -1;
  wizard.steps = {
      [&](ScriptedWizard& w) {
        modalWhileOpen = ModalDialogCount();
        w.click(IDC_WIZARD_FINISH);
      },
      [](ScriptedWizard& w) { w.click(IDCANCEL); },
      [](ScriptedWizard& w) { w.note(w.currentPage() && w.currentPage()->window() ? "still open" : "closed"); },
      [&](ScriptedWizard& w) {
        page.cancel = true;
        w.click(IDCANCEL);
      },
  };
  const int modalBefore = ModalDialogCount();
  EXPECT_EQ(wizard.run(), Wizard::kCancelled);
  EXPECT_EQ(modalWhileOpen, modalBefore + 1);
  EXPECT_EQ(ModalDialogCount(), modalBefore);
  EXPECT_EQ(wizard.log, (std::vector<std::string>{"init " + Id(kFirst), "still open", "leave " + Id(kFirst)}));
  EXPECT_EQ(page.window(), nullptr);
}

TEST(Wizard, AMissingPageDialogShowsNothing) {
  ScriptedWizard wizard;
  wizard.add(kFirst);
  wizard.add(4242);  // no such dialog resource
  wizard.steps = {
      [](ScriptedWizard& w) { w.click(IDC_WIZARD_NEXT); },
      [](ScriptedWizard& w) { w.note("current " + Id(w.current())); },
  };
  EXPECT_EQ(wizard.run(), Wizard::kCancelled);
  EXPECT_EQ(wizard.log, (std::vector<std::string>{"init " + Id(kFirst), "leave " + Id(kFirst), "current -1"}));
}

TEST(Wizard, TheFocusGoesBackWhereItWas) {
  // A child control of a plain window: when the window is activated again
  // it would give the focus to itself, not to the control.
  WNDCLASSA plain{};
  plain.lpfnWndProc = DefWindowProcA;
  plain.hInstance = GetModuleHandleA(nullptr);
  plain.lpszClassName = "ZWizardTestOwner";
  RegisterClassA(&plain);
  HWND owner = CreateWindowExA(0, plain.lpszClassName, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, plain.hInstance, nullptr);
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, owner, nullptr, nullptr, nullptr);
  ASSERT_TRUE(owner && edit);
  SetForegroundWindow(owner);
  SetFocus(edit);
  ASSERT_EQ(GetFocus(), edit);
  ScriptedWizard wizard;
  wizard.add(kFirst);
  wizard.steps = {[](ScriptedWizard& w) { w.click(IDCANCEL); }};
  EXPECT_EQ(wizard.run(), Wizard::kCancelled);
  EXPECT_EQ(GetFocus(), edit);
  DestroyWindow(owner);
}
