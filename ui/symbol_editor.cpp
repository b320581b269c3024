#include "ui/symbol_editor.h"

#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "common/app_context.h"
#include "common/default_key.h"
#include "common/dialog_helpers.h"
#include "common/errors.h"
#include "common/file_exists.h"
#include "common/shortcut.h"
#include "common/string_resource.h"
#include "gesture/symbol_file.h"
#include "gesture/symbol_library.h"
#include "resources/zavotra_ids.h"
#include "ui/dialog_state.h"
#include "ui/symbol_bitmap_view.h"
#include "ui/symbol_editor_state.h"
#include "ui/symbol_name_dialog.h"
#include "ui/symbol_vector_view.h"

namespace {
constexpr int kTextBuffer = 1024;
constexpr int kStepCount = 2;
const char kFrameResource[] = "SYMBOLEDIT";
const char kHelpFile[] = "Zavotra.hlp";
constexpr DWORD kHelpContext = 70;

std::string Lowered(std::string text) {
  if (!text.empty()) CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

bool HasExtension(const std::string& path, const char* extension) {
  const std::string wanted = extension;
  return path.size() >= wanted.size() && Lowered(path.substr(path.size() - wanted.size())) == wanted;
}

ZKeyBlock FileKey() {
  const ZSymbolEditorContext& context = SymbolEditorContext();
  return context.fileKey ? context.fileKey() : DefaultKey();
}

std::string SymbolsFolder() {
  const ZSymbolEditorContext& context = SymbolEditorContext();
  return context.symbolsFolder ? context.symbolsFolder() : std::string();
}

void Warn(HWND owner, UINT textId) {
  ZModalDialogScope modal;
  MessageBoxA(owner, LoadAnsiString(textId, AppInstance()).c_str(), LoadAnsiString(IDS_APP_TITLE, AppInstance()).c_str(),
              MB_OK | MB_ICONWARNING);
}

// The user's symbols, read again from the folder they were saved in.
void ReloadUserSymbols(const std::string& folder) {
  std::string unslashed = folder;
  if (!unslashed.empty() && unslashed.back() == '\\') unslashed.pop_back();
  SymbolLibrary().loadUserSymbols(unslashed, FileKey());
}

// The frame: the step shown, its buttons, finishing and dropped files.
class EditorFrame {
 public:
  explicit EditorFrame(ZSymbolEditorState& state) : state_(state) {}

  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void initialise(HWND dialog);
  void onCommand(WORD id);
  void showStep(int step);
  void updateButtons();
  void updateCaption();
  void finish();
  bool save();
  void dropped(HDROP drop);
  void openDropped(const std::string& path);

  ZSymbolEditorState& state_;
  HWND dialog_ = nullptr;
  int step_ = 0;
  std::unique_ptr<ZSymbolVectorView> vectorView_;
  std::unique_ptr<ZSymbolBitmapView> bitmapView_;
};

INT_PTR CALLBACK EditorFrame::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  EditorFrame* frame = DialogStateOf<EditorFrame>(dialog, message, lParam);
  if (!frame) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      frame->initialise(dialog);
      return TRUE;
    case WM_COMMAND:
      frame->onCommand(LOWORD(wParam));
      return TRUE;
    case WM_DROPFILES:
      frame->dropped(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case WM_ACTIVATE:
      // The pointer is never kept in the grid while another window is in front.
      if (LOWORD(wParam) == WA_INACTIVE) FreePointer();
      return FALSE;
    case WM_DESTROY:
      frame->vectorView_.reset();
      frame->bitmapView_.reset();
      FreePointer();
      return FALSE;
    default:
      return FALSE;
  }
}

void EditorFrame::initialise(HWND dialog) {
  dialog_ = dialog;
  CenterWindow(dialog, GetParent(dialog));
  DragAcceptFiles(dialog, TRUE);
  showStep(0);
}

void EditorFrame::onCommand(WORD id) {
  switch (id) {
    case IDC_SYMBOL_NEXT:
      if (!IsWindowEnabled(GetDlgItem(dialog_, IDC_SYMBOL_NEXT))) return;  // Enter while disabled
      if (step_ == 0) {
        showStep(1);
      } else {
        finish();
      }
      return;
    case IDC_SYMBOL_PREV:
      if (step_ == 1) showStep(0);
      return;
    case IDCANCEL:
      EndDialog(dialog_, SymbolEditor::kCancelled);
      return;
    case IDC_SYMBOL_HELP:
      WinHelpA(dialog_, (SymbolEditorContext().systemFolder + kHelpFile).c_str(), HELP_CONTEXT, kHelpContext);
      return;
    default:
      return;
  }
}

void EditorFrame::showStep(int step) {
  if (step == 1 && !state_.sketch.closed()) return;  // the second step needs a closed polyline
  vectorView_.reset();
  bitmapView_.reset();
  step_ = step;
  HWND view = nullptr;
  if (step == 0) {
    vectorView_ = std::make_unique<ZSymbolVectorView>(state_, [this] { updateButtons(); });
    view = vectorView_->create(dialog_);
  } else {
    bitmapView_ = std::make_unique<ZSymbolBitmapView>(state_);
    view = bitmapView_->create(dialog_);
    if (view && state_.startsBlank && !state_.iconMadeOnce) bitmapView_->drawPolyline();
    state_.iconMadeOnce = true;
  }
  if (view) {
    RECT area;
    GetWindowRect(GetDlgItem(dialog_, IDC_SYMBOL_PAGE_AREA), &area);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&area), 2);
    SetWindowPos(view, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top, SWP_SHOWWINDOW);
  }
  updateCaption();
  updateButtons();
}

void EditorFrame::updateButtons() {
  EnableWindow(GetDlgItem(dialog_, IDC_SYMBOL_PREV), step_ == 1);
  EnableWindow(GetDlgItem(dialog_, IDC_SYMBOL_NEXT), step_ == 1 || state_.sketch.closed());
  const UINT label = step_ == 1 ? IDS_SYMBOL_FINISH : IDS_SYMBOL_NEXT;
  SetDlgItemTextA(dialog_, IDC_SYMBOL_NEXT, LoadAnsiString(label, AppInstance()).c_str());
}

// "Symbol Editor - Circle: Step 1 of 2"; a symbol without a name yet shows no name.
void EditorFrame::updateCaption() {
  const std::string name = state_.symbol.name().empty() ? std::string() : state_.symbol.name() + ": ";
  char caption[kTextBuffer];
  std::snprintf(caption, sizeof caption, LoadAnsiString(IDS_SYMBOL_EDITOR_CAPTION, AppInstance()).c_str(),
                name.c_str(), step_ + 1, kStepCount);
  SetWindowTextA(dialog_, caption);
}

void EditorFrame::finish() {
  std::string name = state_.symbol.name();
  if (!AskSymbolName(dialog_, name)) return;
  Symbol& symbol = state_.symbol;
  if (!state_.advanced) symbol.setSortName(name);
  symbol.setName(name);
  Shape& shape = symbol.shapes().empty() ? symbol.addShape() : symbol.shapes().front();
  Stroke& stroke = shape.strokes().empty() ? shape.addStroke() : shape.strokes().front();
  stroke = state_.sketch.vertices();
  shape.icon().setMasks(state_.icon.colours().data(), state_.icon.transparency().data());
  if (save()) EndDialog(dialog_, SymbolEditor::kSaved);
}

// False (told, the editor stays open with everything drawn) when the file
// cannot be written.
bool EditorFrame::save() {
  const std::string folder = SymbolsFolder();
  std::string path = state_.openedPath;
  if (SavesToNewSymbolFile(state_.openedPath, folder, state_.openedName, state_.symbol.name()))
    path = folder.empty() ? std::string() : NextFreeSymbolPath(folder, [](const std::string& p) { return FileExists(p.c_str()); });
  if (path.empty()) {
    Warn(dialog_, IDS_SYMBOL_NOT_SAVED);
    return false;
  }
  CreateDirectoryA(folder.c_str(), nullptr);  // a profile that never had a symbol has no folder yet
  try {
    SaveSymbolFile(state_.symbol, path, FileKey());
  } catch (const ZWriteError&) {
    Warn(dialog_, IDS_SYMBOL_NOT_SAVED);
    return false;
  }
  ReloadUserSymbols(folder);
  return true;
}

void EditorFrame::dropped(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  char file[MAX_PATH] = {};
  if (count == 1) DragQueryFileA(drop, 0, file, MAX_PATH);
  DragFinish(drop);
  if (count == 0) return;
  if (count > 1) return Warn(dialog_, IDS_DROP_ONE_FILE_ONLY);
  std::string path = file;
  if (HasExtension(path, ".lnk")) {
    path = ResolveShortcut(path);
    if (path.empty() || !FileExists(path.c_str())) return Warn(dialog_, IDS_DROP_SHORTCUT_NOWHERE);
  }
  if (!HasExtension(path, ".zts")) return Warn(dialog_, IDS_DROP_WRONG_TYPE);
  openDropped(path);
}

// A dropped symbol file lends the symbol its drawing and its icon; the name,
// the identifier and the file stay those of the symbol being edited.
void EditorFrame::openDropped(const std::string& path) {
  Symbol dropped;
  try {
    dropped = LoadSymbolFile(path, FileKey());
  } catch (const ZReadError&) {
    return Warn(dialog_, IDS_DROP_WRONG_TYPE);
  }
  const Shape* shape = dropped.shapes().empty() ? nullptr : &dropped.shapes().front();
  state_.sketch.open(shape && !shape->strokes().empty() ? shape->strokes().front() : Stroke());
  state_.icon = shape ? IconCanvas(shape->icon().xorMask(), shape->icon().andMask()) : IconCanvas();
  state_.iconMadeOnce = true;  // the dropped icon is kept, not drawn over
  showStep(0);
}
}  // namespace

ZSymbolEditorContext& SymbolEditorContext() {
  static ZSymbolEditorContext context;
  return context;
}

Symbol SymbolEditor::NewSymbol() {
  Symbol symbol;
  symbol.addShape(Shape(SymbolIcon())).addStroke();
  return symbol;
}

INT_PTR SymbolEditor::Run(HWND owner, Symbol& symbol) {
  ZSymbolEditorState state;
  state.symbol = symbol;
  state.openedName = symbol.name();
  state.openedPath = symbol.path();
  state.advanced = SymbolEditorContext().advanced;
  const Shape* shape = symbol.shapes().empty() ? nullptr : &symbol.shapes().front();
  const Stroke* stroke = shape && !shape->strokes().empty() ? &shape->strokes().front() : nullptr;
  if (stroke && !stroke->empty()) {
    state.sketch.open(*stroke);
    state.icon = IconCanvas(shape->icon().xorMask(), shape->icon().andMask());
  } else {
    state.startsBlank = true;
  }
  EditorFrame frame(state);
  INT_PTR result;
  {
    ZModalDialogScope modal;
    result = DialogBoxParamA(AppInstance(), kFrameResource, owner, EditorFrame::DialogProc,
                             reinterpret_cast<LPARAM>(&frame));
  }
  if (result != kSaved) return kCancelled;
  symbol = state.symbol;
  return kSaved;
}

bool DesignNewSymbol(HWND owner, Symbol& made) {
  Symbol symbol = SymbolEditor::NewSymbol();
  if (SymbolEditor::Run(owner, symbol) != SymbolEditor::kSaved) return false;
  made = symbol;
  return true;
}

bool EditUserSymbol(HWND owner, const std::string& path) {
  Symbol symbol;
  try {
    symbol = LoadSymbolFile(path, FileKey());
  } catch (const ZReadError&) {
    return false;  // gone since the list was made; the missing file was reported
  }
  return SymbolEditor::Run(owner, symbol) == SymbolEditor::kSaved;
}
