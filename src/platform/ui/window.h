// A top-level window. The main window is the real one on the desktop; every other window
// (dialogs, the hidden picture store) lives inside the main window's frame, over it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class Window : public Control {
 public:
  // The first window made with `main` set becomes the program's main window.
  explicit Window(std::string name, bool main = false);
  ~Window() override;

  // Creates a control on this window, placed directly on it unless a container is given.
  // The window owns it for its whole life.
  template <class T, class... Args>
  T& add(std::string name, Control* container = nullptr, Args&&... args) {
    auto c = std::unique_ptr<T>(new T(this, std::move(name), std::forward<Args>(args)...));
    T& ref = *c;
    adopt(std::move(c), container);
    return ref;
  }

  bool isMain() const { return main_; }
  const std::string& caption() const { return caption_; }
  void setCaption(std::string c);

  // Keys go to the window's KeyDown/KeyUp/KeyPress before the focused control.
  bool KeyPreview = false;
  // The user asked to close the window (the main window: the window manager's close).
  Handler QueryUnload;

  void setVisible(bool v) override { v ? show() : hide(); }
  // Shows the window (on top of the other windows inside the frame).
  void show();
  void hide();
  // Shows the window and pumps events until it is hidden; meanwhile no other window gets
  // input. Nests.
  void showModal();
  bool isModal() const { return modalDepth_ > 0; }

  // While off, the pump drops every mouse and key event meant for this window, except the
  // presses of the kept control and of the kept key: a way out that is never dropped.
  void setInputEnabled(bool on) { inputEnabled_ = on; }
  bool inputEnabled() const { return inputEnabled_; }
  void keepInput(const Control* control, int key) {
    keptControl_ = control;
    keptKey_ = key;
  }
  bool keepsInput(const Control* c) const { return c && c == keptControl_; }
  int keptKey() const { return keptKey_; }

  // The control with the keyboard focus, or null.
  Control* activeControl() const { return focus_; }

  // The main window on the desktop.
  void minimize();
  bool minimized() const;

  // For the main window: the client area's place on the desktop; otherwise the place in
  // the main window's client area.
  void moveWindow(int left, int top);

  // The Enter and Escape buttons of a dialog.
  Control* defaultButton = nullptr;
  Control* cancelButton = nullptr;

  // Controls in creation order (the tab order).
  const std::vector<std::unique_ptr<Control>>& controls() const { return owned_; }

  void paint(Canvas& c) override;

 private:
  friend class Control;
  friend struct Toolkit;
  void adopt(std::unique_ptr<Control> c, Control* container);

  bool main_;
  std::string caption_;
  bool inputEnabled_ = true;
  const Control* keptControl_ = nullptr;
  int keptKey_ = 0;
  int modalDepth_ = 0;
  Control* focus_ = nullptr;
  std::vector<std::unique_ptr<Control>> owned_;
};

}  // namespace ui
