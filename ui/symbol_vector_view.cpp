#include "ui/symbol_vector_view.h"

#include "common/app_context.h"
#include "common/gdi_objects.h"
#include "resources/zavotra_ids.h"
#include "ui/dialog_state.h"

namespace {
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kCornerGrey = RGB(0xC0, 0xC0, 0xC0);
constexpr int kCornerLength = 8;
constexpr int kHandleHalf = 2;  // handles are 5 by 5 pixels

// The four corner marks around the usable square.
void DrawCorners(HDC dc) {
  using namespace sketch_grid;
  ZPen pen(CreatePen(PS_SOLID, 1, kCornerGrey));
  ZSelection selected(dc, pen.get());
  const int n = kCornerNear, f = kCornerFar, l = kCornerLength;
  const POINT marks[4][3] = {{{n, n + l}, {n, n}, {n + l + 1, n}},
                             {{f - l, n}, {f, n}, {f, n + l + 1}},
                             {{n, f - l}, {n, f}, {n + l + 1, f}},
                             {{f - l, f}, {f, f}, {f, f - l - 1}}};
  for (const auto& mark : marks) Polyline(dc, mark, 3);
}

POINT PixelOf(Point cell) {
  const Point pixel = sketch_grid::VertexPixel(cell);
  return POINT{pixel.x, pixel.y};
}

void DrawHandle(HDC dc, Point cell, HBRUSH brush) {
  const POINT centre = PixelOf(cell);
  const RECT handle = {centre.x - kHandleHalf, centre.y - kHandleHalf, centre.x + kHandleHalf + 1,
                       centre.y + kHandleHalf + 1};
  FillRect(dc, &handle, brush);
}
}  // namespace

ZSymbolVectorView::~ZSymbolVectorView() {
  FreePointer();
  if (dialog_) {
    AttachSymbolCanvas(dialog_, IDC_SYMBOL_DRAWING, nullptr, 0, 0);
    DestroyWindow(dialog_);
  }
}

HWND ZSymbolVectorView::create(HWND frame) {
  RegisterSymbolCanvasClass();
  dialog_ = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_SYMBOL_VECTOR_VIEW), frame, DialogProc,
                               reinterpret_cast<LPARAM>(this));
  return dialog_;
}

INT_PTR CALLBACK ZSymbolVectorView::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ZSymbolVectorView* view = DialogStateOf<ZSymbolVectorView>(dialog, message, lParam);
  if (!view) return FALSE;
  if (message == WM_INITDIALOG) {
    view->dialog_ = dialog;
    AttachSymbolCanvas(dialog, IDC_SYMBOL_DRAWING, view, sketch_grid::kSidePixels, sketch_grid::kSidePixels);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_SYMBOL_CLEAR && HIWORD(wParam) == BN_CLICKED) {
    view->clear();
    return TRUE;
  }
  return FALSE;
}

void ZSymbolVectorView::paintCanvas(HWND, HDC dc, const RECT& client) {
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawCorners(dc);
  const Stroke& vertices = state_.sketch.vertices();
  ZPen pen(CreatePen(PS_SOLID, 1, kBlack));
  ZSelection selected(dc, pen.get());
  if (!vertices.empty()) {
    MoveToEx(dc, PixelOf(vertices.front()).x, PixelOf(vertices.front()).y, nullptr);
    for (const Point& vertex : vertices) LineTo(dc, PixelOf(vertex).x, PixelOf(vertex).y);
    // The rubber band from the last vertex to the pointer.
    if (state_.sketch.state() == PolylineSketch::State::kCapturing && pointerKnown_)
      LineTo(dc, PixelOf(pointer_).x, PixelOf(pointer_).y);
  }
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  for (const Point& vertex : vertices) DrawHandle(dc, vertex, black);
}

void ZSymbolVectorView::canvasMouse(HWND canvas, UINT message, POINT at) {
  Point cell;
  const bool inCell = sketch_grid::CellAtPixel(at.x, at.y, cell);
  switch (message) {
    case WM_LBUTTONDOWN:
      if (inCell) pressed(canvas, cell);
      break;
    case WM_LBUTTONUP:
      released(canvas, inCell ? &cell : nullptr);
      break;
    case WM_CAPTURECHANGED:
      released(canvas, nullptr);  // a dragged vertex stays where it got to
      break;
    case WM_MOUSEMOVE:
      if (!inCell) break;
      pointer_ = cell;
      pointerKnown_ = true;
      if (state_.sketch.pointerMoved(cell) != PolylineSketch::Change::kNothing) InvalidateRect(canvas, nullptr, FALSE);
      break;
    default:
      break;
  }
}

void ZSymbolVectorView::pressed(HWND canvas, Point cell) {
  using Change = PolylineSketch::Change;
  const Change change = state_.sketch.buttonPressed(cell);
  if (change == Change::kClosed) {
    FreePointer();
    if (closedChanged_) closedChanged_();
  } else if (change == Change::kGrabbed) {
    ConfinePointer(canvas, sketch_grid::kFirstCell * sketch_grid::kCellPixels + 1,
                   sketch_grid::kLastCell * sketch_grid::kCellPixels + sketch_grid::kCellPixels);
    SetCapture(canvas);
    SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
  }
  if (change != Change::kNothing) InvalidateRect(canvas, nullptr, FALSE);
}

void ZSymbolVectorView::released(HWND canvas, const Point* cell) {
  using Change = PolylineSketch::Change;
  const PolylineSketch& sketch = state_.sketch;
  // A vertex is dropped wherever the button comes up; outside the cells it
  // stays in the last cell it reached.
  if (!cell && sketch.state() != PolylineSketch::State::kDragging) return;
  const Point at = cell ? *cell : sketch.vertices()[sketch.grabbed()];
  const Change change = state_.sketch.buttonReleased(at);
  if (change == Change::kAdded) {
    ConfinePointer(canvas, sketch_grid::kFirstCell * sketch_grid::kCellPixels + 1,
                   sketch_grid::kLastCell * sketch_grid::kCellPixels + sketch_grid::kCellPixels);
  } else if (change == Change::kDropped) {
    if (GetCapture() == canvas) ReleaseCapture();
    FreePointer();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  }
  if (change != Change::kNothing) InvalidateRect(canvas, nullptr, FALSE);
}

void ZSymbolVectorView::clear() {
  state_.sketch.clear();
  pointerKnown_ = false;
  if (GetCapture()) ReleaseCapture();
  FreePointer();
  InvalidateRect(GetDlgItem(dialog_, IDC_SYMBOL_DRAWING), nullptr, FALSE);
  if (closedChanged_) closedChanged_();
}
