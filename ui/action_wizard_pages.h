// The pages of the action wizard. Each edits the action or the command of
// the wizard's current item: it shows what is there when its window is made
// and writes its controls back when it is left.
#pragma once
#include <initializer_list>
#include <string>

#include "ui/action_wizard.h"

class ActionWizard::PageBase : public WizardPage {
 public:
  PageBase(ActionWizard& wizard, int pageId) : WizardPage(wizard, pageId), owner_(wizard) {}
  void onInit(HWND window) override;
  // Every page keeps the wizard's buttons up to date.
  void update() override { owner_.updateButtons(); }
  void leave() override;

 protected:
  // Fills the controls from the action or the command.
  virtual void show() {}
  // Writes the controls into the action or the command.
  virtual void write() {}

  ActionWizard& owner() const { return owner_; }
  ZMacro& macro() const { return owner_.macro(); }
  // The edited command of the current item when it is of kind K, else null.
  template <class K>
  K* command() const {
    return dynamic_cast<K*>(owner_.editedCommand(owner_.currentItem()));
  }
  // Back from a page that edits one command: a command added in this wizard
  // is dropped before the wizard goes to `target`.
  int dropNewCommandAnd(int target) const;
  // The current item when the user came back from the page of a command of
  // that kind (choosing the same kind again edits it instead of adding one);
  // else a new command of the kind.
  HTREEITEM reuseOrCreate(int typeId, std::initializer_list<int> pagesOfKind) const;

  std::string text(int controlId) const;
  void setText(int controlId, const std::string& text) const;
  bool checked(int controlId) const;
  void check(int controlId, bool on) const;
  // The first checked button of the list, or 0.
  int checkedOf(std::initializer_list<int> controlIds) const;

 private:
  ActionWizard& owner_;
};

class ActionWizard::NamePage : public PageBase {
 public:
  explicit NamePage(ActionWizard& wizard);
  // The name typed so far while the page is shown.
  std::string typed() const;

 protected:
  void show() override;
  void write() override;
};

class ActionWizard::SymbolPage : public PageBase {
 public:
  explicit SymbolPage(ActionWizard& wizard);
  bool onCommand(int controlId, int code, HWND control) override;
  // Shows the action's symbol, when the page is shown.
  void showSymbol() const;

 protected:
  void show() override;
  void write() override;

 private:
  // The user's two ways to a symbol; each true when the action got one.
  bool useExistingSymbol();
  bool designNewSymbol();
};

class ActionWizard::CommandPage : public PageBase {
 public:
  explicit CommandPage(ActionWizard& wizard);
  int nextTarget() override;
};

class ActionWizard::ApplicationPage : public PageBase {
 public:
  explicit ApplicationPage(ActionWizard& wizard);
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
};

class ActionWizard::LaunchPage : public PageBase {
 public:
  explicit LaunchPage(ActionWizard& wizard);
  bool onCommand(int controlId, int code, HWND control) override;
  bool onDroppedFiles(HDROP drop) override;
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
  void write() override;
};

class ActionWizard::TextPage : public PageBase {
 public:
  explicit TextPage(ActionWizard& wizard);
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
  void write() override;
};

class ActionWizard::MenuPage : public PageBase {
 public:
  explicit MenuPage(ActionWizard& wizard);
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
  void write() override;
};

class ActionWizard::HotkeyPage : public PageBase {
 public:
  explicit HotkeyPage(ActionWizard& wizard);
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
  void write() override;
};

class ActionWizard::InternetPage : public PageBase {
 public:
  explicit InternetPage(ActionWizard& wizard);
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
  void write() override;
};

class ActionWizard::SoundPage : public PageBase {
 public:
  explicit SoundPage(ActionWizard& wizard);
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
};

class ActionWizard::SoundPlayPage : public PageBase {
 public:
  explicit SoundPlayPage(ActionWizard& wizard);
  bool onCommand(int controlId, int code, HWND control) override;
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
  void write() override;

 private:
  ZBitmap play_;
  ZBitmap stop_;
};

class ActionWizard::SoundStopPage : public PageBase {
 public:
  explicit SoundStopPage(ActionWizard& wizard);
  int backTarget() override;
  int nextTarget() override;

 protected:
  void write() override;
};

class ActionWizard::SoundThemePage : public PageBase {
 public:
  explicit SoundThemePage(ActionWizard& wizard);
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
  void write() override;
};

class ActionWizard::SoundOptionsPage : public PageBase {
 public:
  explicit SoundOptionsPage(ActionWizard& wizard);
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
  void write() override;
};

class ActionWizard::MiscellaneousPage : public PageBase {
 public:
  explicit MiscellaneousPage(ActionWizard& wizard);
  bool onCommand(int controlId, int code, HWND control) override;
  int backTarget() override;
  int nextTarget() override;

 protected:
  void show() override;
  void write() override;

 private:
  // Refills the parameter list for the chosen function, or hides it.
  void fillParameters(int function) const;
};
