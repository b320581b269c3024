// The entries of the program's popup menus. Every item has its rectangle in
// the menu window, a command identifier sent to the owner window when it is
// chosen, an owner menu, an optional submenu that it owns and two state
// bits. A highlighted or disabled item gets the style's item background
// first; then it paints its content in the style's text colour.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "gesture/symbol.h"

class ZMenu;
class ZMenuStyle;

class ZMenuItem {
 public:
  enum StateBit : unsigned { kHighlighted = 1u << 0, kDisabled = 1u << 1 };

  explicit ZMenuItem(UINT id) : id_(id) {}
  virtual ~ZMenuItem();
  ZMenuItem(const ZMenuItem&) = delete;
  ZMenuItem& operator=(const ZMenuItem&) = delete;

  // Paints the item if its rectangle meets `repaint`.
  virtual void draw(HDC dc, const RECT& repaint, const ZMenuStyle& style) const;
  virtual SIZE measure() const = 0;

  const RECT& rect() const { return rect_; }
  void setRect(const RECT& rect) { rect_ = rect; }
  UINT id() const { return id_; }
  ZMenu* owner() const { return owner_; }
  void setOwner(ZMenu* menu) { owner_ = menu; }
  ZMenu* submenu() const { return submenu_.get(); }
  // Destroys a previous submenu; the item's menu sets the new one's parent.
  void setSubmenu(std::unique_ptr<ZMenu> submenu);

  bool highlighted() const { return (state_ & kHighlighted) != 0; }
  bool disabled() const { return (state_ & kDisabled) != 0; }
  void setHighlighted(bool on) { setBit(kHighlighted, on); }
  void setDisabled(bool on) { setBit(kDisabled, on); }
  // Whether releasing the button over the item chooses it.
  bool choosable() const { return !disabled() && !submenu_; }

 protected:
  virtual void drawContent(HDC dc, COLORREF colour) const = 0;

 private:
  void setBit(unsigned bit, bool on) { state_ = on ? state_ | bit : state_ & ~bit; }

  RECT rect_ = {};
  UINT id_;
  ZMenu* owner_ = nullptr;
  std::unique_ptr<ZMenu> submenu_;
  unsigned state_ = 0;
};

// One line of text in the system's interface font, without prefix
// processing. A tab separates a key name, shown at the right.
class ZTextMenuItem : public ZMenuItem {
 public:
  ZTextMenuItem(std::string text, UINT id) : ZMenuItem(id), text_(std::move(text)) {}
  const std::string& text() const { return text_; }
  SIZE measure() const override;

 protected:
  void drawContent(HDC dc, COLORREF colour) const override;

 private:
  std::string text_;
};

// A symbol's picture (the icon of its first shape, 32 by 32) as a
// silhouette in the text colour. The item keeps its own copy of the symbol.
class ZSymbolMenuItem : public ZMenuItem {
 public:
  ZSymbolMenuItem(const Symbol& symbol, UINT id) : ZMenuItem(id), symbol_(symbol) {}
  const Symbol& symbol() const { return symbol_; }
  SIZE measure() const override;

 protected:
  void drawContent(HDC dc, COLORREF colour) const override;

 private:
  Symbol symbol_;
};

// A web site of the service lists, by its name: as wide text when the
// system can show the site's language, else as 8-bit text.
class ZWebsiteMenuItem : public ZMenuItem {
 public:
  ZWebsiteMenuItem(std::string name, std::wstring wideName, bool showWide, UINT id)
      : ZMenuItem(id), name_(std::move(name)), wideName_(std::move(wideName)), showWide_(showWide) {}
  const std::string& name() const { return name_; }
  SIZE measure() const override;

 protected:
  void drawContent(HDC dc, COLORREF colour) const override;

 private:
  std::string name_;
  std::wstring wideName_;
  bool showWide_;
};
