// The base of every control: the properties the game reads back (Tag, Visible, Enabled,
// container, z-order, place in pixels, back colour, pointer, tooltip, window shape) and the
// event handlers, which the game sets as plain function objects.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/color.h"
#include "gfx/rect.h"
#include "gfx/region.h"
#include "gfx/surface.h"
#include "ui/backend.h"
#include "ui/keys.h"

namespace ui {

class Window;

// Where a control draws itself during composition: the frame, the control's origin on it,
// and the part it may touch (its own rectangle cut by every container's, and the shapes).
class Canvas {
 public:
  Canvas(gfx::Surface& frame, int originX, int originY, gfx::Rect clip, const gfx::Region* shapeClip)
      : frame_(frame), ox_(originX), oy_(originY), clip_(clip), shape_(shapeClip) {}
  // Copies a block of src (sx, sy, w, h) to (x, y) in control coordinates.
  void blit(const gfx::Surface& src, int sx, int sy, int w, int h, int x, int y);
  // As blit, leaving pixels of colour `key` unchanged.
  void blitKeyed(const gfx::Surface& src, int sx, int sy, int w, int h, int x, int y, gfx::Color key);
  void fill(const gfx::Rect& r, gfx::Color c);
  gfx::Surface& frame() { return frame_; }
  int originX() const { return ox_; }
  int originY() const { return oy_; }
  const gfx::Rect& clip() const { return clip_; }
  const gfx::Region* shapeClip() const { return shape_; }

 private:
  template <class Fn>
  void eachRun(int y, int l, int r, Fn&& fn);
  gfx::Surface& frame_;
  int ox_, oy_;
  gfx::Rect clip_;            // frame coordinates
  const gfx::Region* shape_;  // frame coordinates, null = no shape in effect
};

class Control {
 public:
  using MouseHandler = std::function<void(int button, int shift, int x, int y)>;
  using KeyHandler = std::function<void(int& keyCode, int shift)>;
  using KeyPressHandler = std::function<void(int& keyAscii)>;
  using Handler = std::function<void()>;

  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  const std::string& name() const { return name_; }
  Window& window() const { return *window_; }
  // Position in its control array; -1 when it is not a member of one.
  int index() const { return index_; }

  std::string Tag;
  // Shown after a short hover; several lines split at "\n" (or "\r\n"); empty shows none.
  std::string ToolTipText;

  // Handlers. Coordinates are pixels in the control's own client area. Button: the changed
  // button on down/up, the held buttons on move; shift: the Shift/Ctrl/Alt mask.
  MouseHandler MouseDown, MouseUp, MouseMove;
  Handler Click, DblClick;
  // Setting keyCode (keyAscii) to 0 swallows the key.
  KeyHandler KeyDown, KeyUp;
  KeyPressHandler KeyPress;
  Handler GotFocus, LostFocus;

  bool visible() const { return visible_; }
  virtual void setVisible(bool v);
  // Visible itself and in every container up to a shown window.
  bool effectivelyVisible() const;
  bool enabled() const { return enabled_; }
  void setEnabled(bool e);
  // Enabled itself and in every container.
  bool effectivelyEnabled() const;

  // The window itself for a control placed directly on it; null only for a window.
  Control* container() const { return parent_; }
  // null puts the control directly on its window. A control of another window, the control
  // itself or one of its own descendants are refused (false).
  bool setContainer(Control* c);
  // Children from back to front.
  const std::vector<Control*>& children() const { return children_; }
  // 0 brings the control to the front of its siblings, 1 sends it to the back.
  void zorder(int position = 0);

  int left() const { return rect_.left; }
  int top() const { return rect_.top; }
  int width() const { return rect_.width(); }
  int height() const { return rect_.height(); }
  // The place in the container's client area.
  const gfx::Rect& rect() const { return rect_; }
  void move(int left, int top);
  void move(int left, int top, int width, int height);
  void setLeft(int v) { move(v, rect_.top); }
  void setTop(int v) { move(rect_.left, v); }
  void setWidth(int v) { move(rect_.left, rect_.top, v, rect_.height()); }
  void setHeight(int v) { move(rect_.left, rect_.top, rect_.width(), v); }
  // The control's rectangle in the frame (the main window's client area).
  gfx::Rect frameRect() const;

  gfx::Color backColor() const { return backColor_; }
  virtual void setBackColor(gfx::Color c);
  gfx::Color foreColor() const { return foreColor_; }
  virtual void setForeColor(gfx::Color c);

  int mousePointer() const { return mousePointer_; }
  void setMousePointer(int pointer);
  const std::shared_ptr<const CursorImage>& mouseIcon() const { return mouseIcon_; }
  void setMouseIcon(std::shared_ptr<const CursorImage> icon);

  // The window shape in control coordinates: outside it the control is neither drawn nor hit.
  const std::optional<gfx::Region>& shape() const { return shape_; }
  void setShape(std::optional<gfx::Region> r);

  // The font size in points of a control that shows text (others ignore it).
  virtual void setFontSize(double /*points*/) {}
  virtual double fontSize() const { return 0; }

  virtual bool canFocus() const { return false; }
  // Off: Tab and a press pass the control by (setFocus still works).
  bool TabStop = true;
  // Gives the control the keyboard focus of its window; false when it cannot take it.
  bool setFocus();
  bool hasFocus() const;

  void setCapture();
  void releaseCapture();
  bool hasCapture() const;

  // Marks the frame for recomposition.
  virtual void refresh();

  // Whether (x, y) in control coordinates is inside its rectangle and shape.
  bool hitLocal(int x, int y) const;

  // Built-in reactions, run by the event pump. Each runs the control's own behaviour and the
  // matching handler; controls with behaviour of their own override them.
  virtual void handleMouseDown(int button, int shift, int x, int y);
  virtual void handleMouseUp(int button, int shift, int x, int y);
  virtual void handleMouseMove(int button, int shift, int x, int y);
  virtual void handleClick();
  virtual void handleDblClick();
  virtual void handleKeyDown(int& key, int shift);
  virtual void handleKeyUp(int& key, int shift);
  virtual void handleKeyPress(int& ascii);
  virtual void handleWheel(int /*notches*/) {}
  virtual void handleText(const std::string& /*utf8*/) {}
  virtual void handleTextEditing(const std::string& /*utf8*/, int /*cursor*/) {}
  virtual void handleGotFocus();
  virtual void handleLostFocus();

  // Draws the control itself (not its children) during composition.
  virtual void paint(Canvas& c);
  // True when the control's pixels changed since the last composition (drawing into an
  // image counts); markComposed() is called once they were composed.
  virtual bool contentChanged() const { return false; }
  virtual void markComposed() {}
  // Typed text (and the input method) goes to this control while it has the focus.
  virtual bool wantsTextInput() const { return false; }
  // A second quick press is a double click; controls that count presses turn it off.
  virtual bool acceptsDoubleClick() const { return true; }
  // Handles Enter itself, so the window's default button does not take it.
  virtual bool takesEnter() const { return false; }

 protected:
  Control(Window* window, std::string name);
  // Called after the size changed.
  virtual void resized() {}
  void setVisibleFlag(bool v) { visible_ = v; }

 private:
  friend class Window;
  template <class T>
  friend class ControlArray;
  void detach();

  Window* window_;
  std::string name_;
  int index_ = -1;
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  gfx::Rect rect_{0, 0, 100, 100};
  bool visible_ = true;
  bool enabled_ = true;
  gfx::Color backColor_ = gfx::rgb(240, 240, 240);
  gfx::Color foreColor_ = gfx::kBlack;
  int mousePointer_ = kPointerDefault;
  std::shared_ptr<const CursorImage> mouseIcon_;
  std::optional<gfx::Region> shape_;
};

}  // namespace ui
