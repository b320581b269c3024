// The window object that hosts elements: it owns them in creation order,
// hands the mouse to them (the first element holding a point wins), keeps
// the element under the pointer and the one holding the mouse between press
// and release, and lets the user drag the window by its background.
#pragma once
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "ui/window_element.h"

class ZElementHost {
 public:
  ZElementHost() = default;
  virtual ~ZElementHost();
  ZElementHost(const ZElementHost&) = delete;
  ZElementHost& operator=(const ZElementHost&) = delete;

  HWND window() const { return window_; }
  void setWindow(HWND window) { window_ = window; }

  // Makes an element with this host as its owner and appends it to the list.
  template <typename Element, typename... Arguments>
  Element& add(Arguments&&... arguments) {
    auto element = std::make_unique<Element>(*this, std::forward<Arguments>(arguments)...);
    Element& made = *element;
    elements_.push_back(std::move(element));
    return made;
  }
  void destroyElements();
  const std::vector<std::unique_ptr<ZWindowElement>>& elements() const { return elements_; }
  // The first element, in creation order, whose rectangle holds the point.
  ZWindowElement* elementAt(POINT point) const;

  ZWindowElement* hoverElement() const { return hover_; }
  ZWindowElement* captureElement() const { return capture_; }
  void setCaptureElement(ZWindowElement* element) { capture_ = element; }
  bool dragging() const { return dragging_; }

  // WM_MOUSEMOVE, WM_LBUTTONDOWN and WM_LBUTTONUP of the host window.
  void mouseMove(UINT flags, POINT point);
  void buttonDown(UINT flags, POINT point);
  void buttonUp(UINT flags, POINT point);
  // The host is hidden: the element under the pointer is told it left.
  void leaveHover();
  // Every element meeting `update`, in creation order.
  void paintElements(HDC dc, const RECT& update) const;

  // An element going away leaves no dangling hover or capture behind.
  void forget(const ZWindowElement* element);

 protected:
  // The user started or stopped dragging the window by its background.
  virtual void draggingChanged(bool dragging) {}

 private:
  // Who gets a press or a release: the element holding the mouse, else the
  // first one under the point, which becomes the hover element.
  ZWindowElement* pressTarget(POINT point);
  void setDragging(bool dragging);
  void dragTo(POINT clientPoint);
  bool pointerOverHostItself(POINT point) const;

  HWND window_ = nullptr;
  std::vector<std::unique_ptr<ZWindowElement>> elements_;
  ZWindowElement* hover_ = nullptr;
  ZWindowElement* capture_ = nullptr;
  bool dragging_ = false;
  POINT lastPointer_ = {};  // screen coordinates, while dragging
};
