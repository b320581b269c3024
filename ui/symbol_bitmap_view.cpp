#include "ui/symbol_bitmap_view.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/app_context.h"
#include "common/gdi_objects.h"
#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "ui/dialog_state.h"

namespace {
constexpr int kPreviewMargin = 2;
constexpr int kTextBuffer = 256;
constexpr COLORREF kGridGrey = RGB(0xC0, 0xC0, 0xC0);

// The 16 colours of the icons, as the painting shows them.
constexpr COLORREF kPalette[16] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 128),
    RGB(0, 128, 128),   RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

std::string Text(HWND dialog, int id) {
  char text[kTextBuffer] = {};
  GetDlgItemTextA(dialog, id, text, kTextBuffer);
  return text;
}
}  // namespace

ZSymbolBitmapView::~ZSymbolBitmapView() {
  FreePointer();
  if (dialog_) {
    AttachSymbolCanvas(dialog_, IDC_SYMBOL_PAINTING, nullptr, 0, 0);
    AttachSymbolCanvas(dialog_, IDC_SYMBOL_PREVIEW, nullptr, 0, 0);
    DestroyWindow(dialog_);
  }
}

HWND ZSymbolBitmapView::create(HWND frame) {
  RegisterSymbolCanvasClass();
  dialog_ = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_SYMBOL_BITMAP_VIEW), frame, DialogProc,
                               reinterpret_cast<LPARAM>(this));
  return dialog_;
}

INT_PTR CALLBACK ZSymbolBitmapView::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ZSymbolBitmapView* view = DialogStateOf<ZSymbolBitmapView>(dialog, message, lParam);
  if (!view) return FALSE;
  if (message == WM_INITDIALOG) {
    view->initialise(dialog);
    return TRUE;
  }
  if (message == WM_COMMAND) {
    view->onCommand(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

void ZSymbolBitmapView::initialise(HWND dialog) {
  dialog_ = dialog;
  AttachSymbolCanvas(dialog, IDC_SYMBOL_PAINTING, this, kSidePixels, kSidePixels);
  AttachSymbolCanvas(dialog, IDC_SYMBOL_PREVIEW, this, SymbolIcon::kSide + 2 * kPreviewMargin,
                     SymbolIcon::kSide + 2 * kPreviewMargin);
  // The fields are filled before their changes are listened to: the
  // identifier keeps its value even if its text were not a number.
  const int show = state_.advanced ? SW_SHOW : SW_HIDE;
  for (int id : {IDC_SYMBOL_IDENTIFIER, IDC_SYMBOL_SORT_NAME, IDC_SYMBOL_IDENTIFIER_LABEL, IDC_SYMBOL_SORT_NAME_LABEL})
    ShowWindow(GetDlgItem(dialog, id), show);
  SetDlgItemTextA(dialog, IDC_SYMBOL_IDENTIFIER, std::to_string(state_.symbol.identifier()).c_str());
  SetDlgItemTextA(dialog, IDC_SYMBOL_SORT_NAME, state_.symbol.sortName().c_str());
  iconChanged();
}

void ZSymbolBitmapView::onCommand(WORD id, WORD code) {
  switch (id) {
    case IDC_SYMBOL_RASTERISE:
      if (code == BN_CLICKED) drawPolyline();
      break;
    case IDC_SYMBOL_CLEAR:
      if (code != BN_CLICKED) break;
      state_.icon.clear();
      iconChanged();
      break;
    case IDC_SYMBOL_IDENTIFIER:
      if (code == EN_CHANGE && state_.advanced)
        state_.symbol.setIdentifier(static_cast<uint32_t>(std::strtoul(Text(dialog_, id).c_str(), nullptr, 10)));
      break;
    case IDC_SYMBOL_SORT_NAME:
      if (code == EN_CHANGE && state_.advanced) state_.symbol.setSortName(Text(dialog_, id));
      break;
    default:
      break;
  }
}

void ZSymbolBitmapView::drawPolyline() {
  state_.icon.drawPolyline(state_.sketch.vertices());
  iconChanged();
}

void ZSymbolBitmapView::iconChanged() {
  preview_.setMasks(state_.icon.colours().data(), state_.icon.transparency().data());
  if (!dialog_) return;
  InvalidateRect(GetDlgItem(dialog_, IDC_SYMBOL_PAINTING), nullptr, FALSE);
  InvalidateRect(GetDlgItem(dialog_, IDC_SYMBOL_PREVIEW), nullptr, FALSE);
}

void ZSymbolBitmapView::paintCanvas(HWND canvas, HDC dc, const RECT& client) {
  if (GetDlgCtrlID(canvas) == IDC_SYMBOL_PREVIEW)
    paintPreview(dc, client);
  else
    paintPainting(dc, client);
}

// One 6-pixel square per icon pixel inside a light grey grid: white where
// the icon is transparent, its colour elsewhere.
void ZSymbolBitmapView::paintPainting(HDC dc, const RECT& client) const {
  ZBrush grid(CreateSolidBrush(kGridGrey));
  FillRect(dc, &client, grid.get());
  for (int row = 0; row < SymbolIcon::kSide; ++row)
    for (int column = 0; column < SymbolIcon::kSide; ++column) {
      const COLORREF colour =
          state_.icon.transparentAt(column, row) ? RGB(255, 255, 255) : kPalette[state_.icon.colourAt(column, row)];
      ZBrush brush(CreateSolidBrush(colour));
      const RECT cell = {column * kCellPixels, row * kCellPixels, column * kCellPixels + kCellPixels - 1,
                         row * kCellPixels + kCellPixels - 1};
      FillRect(dc, &cell, brush.get());
    }
}

// The icon as lists and menus will show it, over the dialog's own colour.
void ZSymbolBitmapView::paintPreview(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (HICON icon = preview_.handle())
    DrawIconEx(dc, kPreviewMargin, kPreviewMargin, icon, SymbolIcon::kSide, SymbolIcon::kSide, 0, nullptr, DI_NORMAL);
}

void ZSymbolBitmapView::canvasMouse(HWND canvas, UINT message, POINT at) {
  if (GetDlgCtrlID(canvas) != IDC_SYMBOL_PAINTING) return;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      held_ = message == WM_LBUTTONDOWN ? IconCanvas::kInk : IconCanvas::kTransparent;
      holding_ = true;
      SetCapture(canvas);
      ConfinePointer(canvas, 0, kSidePixels - 1);
      paintAt(canvas, at);
      break;
    case WM_MOUSEMOVE:
      showCell(at);
      if (holding_) paintAt(canvas, at);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_CAPTURECHANGED:
      if (!holding_) break;
      holding_ = false;
      if (GetCapture() == canvas) ReleaseCapture();
      FreePointer();
      iconChanged();
      break;
    default:
      break;
  }
}

void ZSymbolBitmapView::paintAt(HWND canvas, POINT at) {
  if (at.x < 0 || at.y < 0) return;
  if (state_.icon.paint(at.x / kCellPixels, at.y / kCellPixels, static_cast<uint8_t>(held_)))
    InvalidateRect(canvas, nullptr, FALSE);
}

void ZSymbolBitmapView::showCell(POINT at) {
  if (at.x < 0 || at.y < 0 || at.x >= kSidePixels || at.y >= kSidePixels) return;
  char text[kTextBuffer];
  std::snprintf(text, sizeof text, LoadAnsiString(IDS_SYMBOL_CELL_FORMAT, AppInstance()).c_str(), at.x / kCellPixels,
                at.y / kCellPixels);
  SetDlgItemTextA(dialog_, IDC_SYMBOL_CELL, text);
}
