#include "ui/action_wizard.h"

#include <windowsx.h>

#include <cstdio>

#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/system_functions.h"
#include "common/app_context.h"
#include "common/string_resource.h"
#include "gesture/symbol.h"
#include "resources/zavotra_ids.h"
#include "ui/action_wizard_pages.h"

namespace {
constexpr int kImageSide = 16;
constexpr int kImagesInitial = 7;
constexpr int kImagesGrowth = 10;
constexpr int kRootImage = 0;

// The tree's icon of each command kind, by type id; the roots come first.
constexpr int kKindIcons[] = {IDI_ACTION_HOTKEY, IDI_ACTION_MENU,   IDI_ACTION_TEXT,    IDI_ACTION_SYSTEM,
                              IDI_ACTION_LAUNCH, IDI_ACTION_SOUND, IDI_ACTION_INTERNET};
constexpr int kKindCount = sizeof kKindIcons / sizeof kKindIcons[0];

int ImageOf(int typeId) { return typeId >= 0 && typeId < kKindCount ? 1 + typeId : kRootImage; }

// The page that edits a command of this kind (sounds by their type).
int PageOf(const ZCommand& command) {
  switch (command.typeId()) {
    case kCommandHotkey: return IDD_ACTION_HOTKEY_PAGE;
    case kCommandMenu: return IDD_ACTION_MENU_PAGE;
    case kCommandText: return IDD_ACTION_TEXT_PAGE;
    case kCommandSystem: return IDD_ACTION_MISC_PAGE;
    case kCommandLaunch: return IDD_ACTION_LAUNCH_PAGE;
    case kCommandInternet: return IDD_ACTION_INTERNET_PAGE;
    case kCommandSound:
      switch (static_cast<const ZCommandSound&>(command).soundType()) {
        case ZCommandSound::kTheme: return IDD_ACTION_SOUND_THEME_PAGE;
        case ZCommandSound::kStop: return IDD_ACTION_SOUND_STOP_PAGE;
        default: return IDD_ACTION_SOUND_PLAY_PAGE;
      }
  }
  return IDD_ACTION_COMMAND_PAGE;
}

// The label of a command item: its kind, and for a system command the
// function too.
std::string LabelOf(const ZCommand& command) {
  const std::string kind = command.typeName();
  if (command.typeId() != kCommandSystem) return kind;
  const ZSystemFunctionName* function = SystemFunctionName(static_cast<const ZCommandSystem&>(command).function());
  if (!function) return kind;
  char label[512] = {};
  snprintf(label, sizeof label, LoadAnsiString(IDS_ACTION_SYSTEM_LABEL, AppInstance()).c_str(), kind.c_str(),
           LoadAnsiString(function->displayNameId, AppInstance()).c_str());
  return label;
}

bool IsCommandPage(int pageId) {
  switch (pageId) {
    case IDD_ACTION_NAME_PAGE:
    case IDD_ACTION_SYMBOL_PAGE:
    case IDD_ACTION_COMMAND_PAGE:
    case IDD_ACTION_APPLICATION_PAGE:
    case IDD_ACTION_SOUND_PAGE:
      return false;
  }
  return true;
}
}  // namespace

ActionWizard::ActionWizard(HWND owner, ZMacro& macro) : Wizard(IDD_ACTION_WIZARD, owner), macro_(macro) {
  original_.name = macro.name();
  if (macro.symbol()) original_.symbol = std::make_unique<Symbol>(*macro.symbol());
  original_.hotkey = macro.hotkey();
  addPages();
}

ActionWizard::~ActionWizard() = default;

void ActionWizard::addPages() {
  auto name = std::make_unique<NamePage>(*this);
  namePage_ = name.get();
  addPage(std::move(name));
  auto symbol = std::make_unique<SymbolPage>(*this);
  symbolPage_ = symbol.get();
  addPage(std::move(symbol));
  addPage(std::make_unique<CommandPage>(*this));
  addPage(std::make_unique<ApplicationPage>(*this));
  addPage(std::make_unique<LaunchPage>(*this));
  addPage(std::make_unique<TextPage>(*this));
  addPage(std::make_unique<MenuPage>(*this));
  addPage(std::make_unique<HotkeyPage>(*this));
  addPage(std::make_unique<InternetPage>(*this));
  addPage(std::make_unique<SoundPage>(*this));
  addPage(std::make_unique<SoundPlayPage>(*this));
  addPage(std::make_unique<SoundStopPage>(*this));
  addPage(std::make_unique<SoundThemePage>(*this));
  addPage(std::make_unique<SoundOptionsPage>(*this));
  addPage(std::make_unique<MiscellaneousPage>(*this));
}

HWND ActionWizard::tree() const { return window() ? GetDlgItem(window(), IDC_ACTION_TREE) : nullptr; }

// --- the tree -------------------------------------------------------------------

void ActionWizard::onInit(HWND window) {
  quiet_ = true;
  arrows_[0].reset(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_ACTION_UP)));
  arrows_[1].reset(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_ACTION_UP_GREYED)));
  arrows_[2].reset(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_ACTION_DOWN)));
  arrows_[3].reset(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_ACTION_DOWN_GREYED)));
  enableArrow(IDC_ACTION_UP, false);
  enableArrow(IDC_ACTION_DOWN, false);
  buildTree();
  Wizard::onInit(window);
  selectSilently(nameRoot_);
  quiet_ = false;
}

void ActionWizard::buildTree() {
  images_.reset(ImageList_Create(kImageSide, kImageSide, ILC_COLOR32 | ILC_MASK, kImagesInitial, kImagesGrowth));
  const auto addIcon = [this](int id) {
    HICON icon = static_cast<HICON>(
        LoadImageA(AppInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, kImageSide, kImageSide, LR_DEFAULTCOLOR));
    ImageList_AddIcon(images_.get(), icon);
    if (icon) DestroyIcon(icon);
  };
  addIcon(IDI_ACTION_ROOT);
  for (int id : kKindIcons) addIcon(id);
  TreeView_SetImageList(tree(), images_.get(), TVSIL_NORMAL);

  nameRoot_ = addRoot(IDS_ACTION_TREE_NAME);
  symbolRoot_ = addRoot(IDS_ACTION_TREE_SYMBOL);
  commandsRoot_ = addRoot(IDS_ACTION_TREE_COMMANDS);
  HTREEITEM last = TVI_LAST;
  for (const ZCommand* command : macro_) {
    pairs_.push_back(std::make_unique<CommandPair>(CommandPair{command->clone(), nullptr}));
    last = insertCommandItem(last, pairs_.back().get());
  }
  TreeView_Expand(tree(), commandsRoot_, TVE_EXPAND);
}

HTREEITEM ActionWizard::addRoot(UINT textId) {
  const std::string text = LoadAnsiString(textId, AppInstance());
  TVINSERTSTRUCTA insert = {};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.iImage = insert.item.iSelectedImage = kRootImage;
  insert.item.lParam = 0;
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM ActionWizard::insertCommandItem(HTREEITEM after, CommandPair* pair) {
  const ZCommand& command = pair->edited ? *pair->edited : *pair->unedited;
  const std::string text = LabelOf(command);
  TVINSERTSTRUCTA insert = {};
  insert.hParent = commandsRoot_;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.iImage = insert.item.iSelectedImage = ImageOf(command.typeId());
  insert.item.lParam = reinterpret_cast<LPARAM>(pair);
  HTREEITEM item =
      reinterpret_cast<HTREEITEM>(SendMessageA(tree(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  TreeView_Expand(tree(), commandsRoot_, TVE_EXPAND);
  return item;
}

ActionWizard::CommandPair* ActionWizard::pairOf(HTREEITEM item) const {
  if (!item || !tree()) return nullptr;
  TVITEMA entry = {};
  entry.mask = TVIF_PARAM;
  entry.hItem = item;
  if (!SendMessageA(tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry))) return nullptr;
  return reinterpret_cast<CommandPair*>(entry.lParam);
}

std::vector<HTREEITEM> ActionWizard::commandItems() const {
  std::vector<HTREEITEM> items;
  if (!tree()) return items;
  for (HTREEITEM item = TreeView_GetChild(tree(), commandsRoot_); item; item = TreeView_GetNextSibling(tree(), item))
    items.push_back(item);
  return items;
}

const ZCommand* ActionWizard::commandOf(HTREEITEM item) const {
  const CommandPair* pair = pairOf(item);
  if (!pair) return nullptr;
  return pair->edited ? pair->edited.get() : pair->unedited.get();
}

ZCommand* ActionWizard::editedCommand(HTREEITEM item) {
  CommandPair* pair = pairOf(item);
  if (!pair) return nullptr;
  if (!pair->edited && pair->unedited) pair->edited = pair->unedited->clone();
  return pair->edited.get();
}

bool ActionWizard::isNewCommand(HTREEITEM item) const {
  const CommandPair* pair = pairOf(item);
  return pair && !pair->unedited;
}

HTREEITEM ActionWizard::createCommand(int typeId) {
  std::unique_ptr<ZCommand> command = ZCommand::create(typeId);
  if (!command) return nullptr;
  pairs_.push_back(std::make_unique<CommandPair>(CommandPair{nullptr, std::move(command)}));
  HTREEITEM item = insertCommandItem(TVI_LAST, pairs_.back().get());
  current_ = item;
  selectSilently(item);
  updateButtons();
  return item;
}

void ActionWizard::deleteCommandItem(HTREEITEM item) {
  CommandPair* pair = pairOf(item);
  if (!pair) return;
  const bool wasQuiet = quiet_;
  quiet_ = true;
  TreeView_DeleteItem(tree(), item);
  quiet_ = wasQuiet;
  if (current_ == item) current_ = nullptr;
  for (auto it = pairs_.begin(); it != pairs_.end(); ++it)
    if (it->get() == pair) {
      pairs_.erase(it);
      break;
    }
  updateButtons();
}

void ActionWizard::removeCurrentCommand() { deleteCommandItem(current_); }

bool ActionWizard::moveSelected(bool up) {
  HTREEITEM item = TreeView_GetSelection(tree());
  CommandPair* pair = pairOf(item);
  if (!pair) return false;
  HTREEITEM neighbour = up ? TreeView_GetPrevSibling(tree(), item) : TreeView_GetNextSibling(tree(), item);
  if (!neighbour) return false;
  // Before the previous sibling is after the one before it, or first.
  HTREEITEM after = neighbour;
  if (up) {
    after = TreeView_GetPrevSibling(tree(), neighbour);
    if (!after) after = TVI_FIRST;
  }
  quiet_ = true;
  HTREEITEM moved = insertCommandItem(after, pair);
  TreeView_SelectItem(tree(), moved);
  TreeView_DeleteItem(tree(), item);
  quiet_ = false;
  if (current_ == item) current_ = moved;
  enableArrow(IDC_ACTION_UP, TreeView_GetPrevSibling(tree(), moved) != nullptr);
  enableArrow(IDC_ACTION_DOWN, TreeView_GetNextSibling(tree(), moved) != nullptr);
  return true;
}

void ActionWizard::relabel(HTREEITEM item) {
  const ZCommand* command = commandOf(item);
  if (!command) return;
  const std::string text = LabelOf(*command);
  TVITEMA entry = {};
  entry.mask = TVIF_TEXT;
  entry.hItem = item;
  entry.pszText = const_cast<char*>(text.c_str());
  SendMessageA(tree(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
}

void ActionWizard::selectSilently(HTREEITEM item) {
  const bool wasQuiet = quiet_;
  quiet_ = true;
  TreeView_SelectItem(tree(), item);
  quiet_ = wasQuiet;
}

void ActionWizard::followPage(int pageId) {
  if (!tree()) return;
  HTREEITEM item = commandsRoot_;
  if (pageId == IDD_ACTION_NAME_PAGE) item = nameRoot_;
  else if (pageId == IDD_ACTION_SYMBOL_PAGE) item = symbolRoot_;
  else if (IsCommandPage(pageId) && current_) item = current_;
  if (TreeView_GetSelection(tree()) == item) return;
  selectSilently(item);
  const bool command = pairOf(item) != nullptr;
  enableArrow(IDC_ACTION_UP, command && TreeView_GetPrevSibling(tree(), item));
  enableArrow(IDC_ACTION_DOWN, command && TreeView_GetNextSibling(tree(), item));
}

void ActionWizard::selectionChanged(HTREEITEM item) {
  if (quiet_) return;
  enableArrow(IDC_ACTION_UP, false);
  enableArrow(IDC_ACTION_DOWN, false);
  if (item == nameRoot_) showPageById(IDD_ACTION_NAME_PAGE);
  else if (item == symbolRoot_) showPageById(IDD_ACTION_SYMBOL_PAGE);
  else if (item == commandsRoot_) showPageById(IDD_ACTION_COMMAND_PAGE);
  else if (pairOf(item)) showPageOf(item);
}

void ActionWizard::showPageOf(HTREEITEM item) {
  enableArrow(IDC_ACTION_UP, TreeView_GetPrevSibling(tree(), item) != nullptr);
  enableArrow(IDC_ACTION_DOWN, TreeView_GetNextSibling(tree(), item) != nullptr);
  // The page shown now keeps what it says in its own item before the
  // wizard turns to the new one.
  showPage(-1);
  current_ = item;
  showPageById(PageOf(*commandOf(item)));
}

void ActionWizard::keyInTree(WORD key) {
  if (key != VK_DELETE) return;
  HTREEITEM item = TreeView_GetSelection(tree());
  if (!pairOf(item)) {
    MessageBeep(0);
    return;
  }
  HTREEITEM next = TreeView_GetNextSibling(tree(), item);
  if (!next) next = TreeView_GetPrevSibling(tree(), item);
  if (!next) next = commandsRoot_;
  TreeView_SelectItem(tree(), next);
  deleteCommandItem(item);
}

void ActionWizard::enableArrow(int buttonId, bool enabled) {
  HWND button = GetDlgItem(window(), buttonId);
  if (!button) return;
  const int image = (buttonId == IDC_ACTION_UP ? 0 : 2) + (enabled ? 0 : 1);
  SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(arrows_[image].get()));
  EnableWindow(button, enabled);
}

// --- dragging --------------------------------------------------------------------

void ActionWizard::beginDrag(const NMTREEVIEWA& view) {
  dragImage_.reset(TreeView_CreateDragImage(tree(), view.itemNew.hItem));
  if (!dragImage_) return;
  POINT at = view.ptDrag;
  MapWindowPoints(tree(), window(), &at, 1);
  ImageList_BeginDrag(dragImage_.get(), 0, 0, 0);
  ImageList_DragEnter(window(), at.x, at.y);
  SetCapture(window());
  dragging_ = true;
}

void ActionWizard::moveDrag(POINT client) { ImageList_DragMove(client.x, client.y); }

// Dropping changes nothing: the order is changed with Up and Down.
void ActionWizard::endDrag() {
  if (!dragging_) return;
  dragging_ = false;
  ImageList_DragLeave(window());
  ImageList_EndDrag();
  dragImage_.reset();
  if (GetCapture() == window()) ReleaseCapture();
}

// --- messages ----------------------------------------------------------------------

INT_PTR ActionWizard::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (dragging_) {
    switch (message) {
      case WM_MOUSEMOVE:
        moveDrag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return TRUE;
      case WM_LBUTTONUP:
      case WM_CAPTURECHANGED:
        endDrag();
        return TRUE;
    }
  }
  return Wizard::handleMessage(window, message, wParam, lParam);
}

void ActionWizard::onDestroy() {
  // Tearing the tree down changes its selection; no page follows it.
  quiet_ = true;
  endDrag();
}

bool ActionWizard::onCommand(int controlId, int code, HWND control) {
  if ((controlId == IDC_ACTION_UP || controlId == IDC_ACTION_DOWN) && code == BN_CLICKED) {
    if (IsWindowEnabled(GetDlgItem(window(), controlId))) moveSelected(controlId == IDC_ACTION_UP);
    return true;
  }
  return Wizard::onCommand(controlId, code, control);
}

LRESULT ActionWizard::onNotify(NMHDR* header) {
  if (header->idFrom != IDC_ACTION_TREE) return 0;
  switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      selectionChanged(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem);
      break;
    case TVN_KEYDOWN:
      keyInTree(reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey);
      break;
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW:
      beginDrag(*reinterpret_cast<NMTREEVIEWA*>(header));
      break;
  }
  return 0;
}

// --- the buttons -----------------------------------------------------------------

std::string ActionWizard::typedName() const {
  if (namePage_ && namePage_->window()) return namePage_->typed();
  return macro_.name();
}

bool ActionWizard::actionComplete() const {
  return !typedName().empty() && macro_.symbol() != nullptr && !commandItems().empty();
}

void ActionWizard::updateButtons() {
  if (!window()) return;
  enableButton(IDC_WIZARD_BACK, true);
  enableButton(IDC_WIZARD_NEXT, true);
  EnableWindow(tree(), TRUE);
  enableButton(IDC_WIZARD_FINISH, actionComplete());
}

void ActionWizard::setSymbol(const Symbol& symbol) {
  macro_.setSymbol(std::make_unique<Symbol>(symbol));
  symbolPage_->showSymbol();
  updateButtons();
}

void ActionWizard::finish() {
  if (!actionComplete()) return;
  Wizard::finish();
  if (currentPage()) return;  // the page kept the wizard open
  quiet_ = true;
  rebuildMacro();
}

void ActionWizard::cancel() {
  Wizard::cancel();
  if (currentPage()) return;
  quiet_ = true;
  pairs_.clear();
  restoreAction();
}

void ActionWizard::rebuildMacro() {
  macro_.clearCommands();
  for (HTREEITEM item : commandItems()) {
    CommandPair* pair = pairOf(item);
    macro_.append(pair->edited ? std::move(pair->edited) : std::move(pair->unedited));
  }
  pairs_.clear();
}

void ActionWizard::restoreAction() {
  macro_.setName(original_.name);
  macro_.setSymbol(original_.symbol ? std::make_unique<Symbol>(*original_.symbol) : nullptr);
  macro_.setHotkey(original_.hotkey);
}

bool RunActionWizard(HWND owner, ZMacro& macro) {
  ActionWizard wizard(owner, macro);
  return wizard.run() == Wizard::kFinished;
}
