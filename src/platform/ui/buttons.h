// The platform's command button and check box.
#pragma once

#include <string>

#include "ui/drawn_control.h"

namespace ui {

class CommandButton : public DrawnControl {
 public:
  const std::string& caption() const { return caption_; }
  void setCaption(std::string c);
  bool canFocus() const override { return true; }
  bool takesEnter() const override { return true; }
  // Two quick presses are two clicks.
  bool acceptsDoubleClick() const override { return false; }

  void handleMouseDown(int button, int shift, int x, int y) override;
  void handleMouseMove(int button, int shift, int x, int y) override;
  void handleMouseUp(int button, int shift, int x, int y) override;
  void handleKeyDown(int& key, int shift) override;
  void handleKeyUp(int& key, int shift) override;
  void handleGotFocus() override;
  void handleLostFocus() override;

 protected:
  friend class Window;
  CommandButton(Window* w, std::string name);
  void render(gfx::Surface& face) override;

 private:
  void setPressed(bool p);
  std::string caption_;
  bool pressed_ = false;
  bool spaceHeld_ = false;
};

class CheckBox : public DrawnControl {
 public:
  enum Value { kUnchecked = 0, kChecked = 1, kGrayed = 2 };
  const std::string& caption() const { return caption_; }
  void setCaption(std::string c);
  int value() const { return value_; }
  // Setting a different value raises Click, as on the platform.
  void setValue(int v);
  bool canFocus() const override { return true; }
  bool acceptsDoubleClick() const override { return false; }

  void handleClick() override;
  void handleKeyDown(int& key, int shift) override;
  void handleGotFocus() override;
  void handleLostFocus() override;

 protected:
  friend class Window;
  CheckBox(Window* w, std::string name);
  void render(gfx::Surface& face) override;

 private:
  std::string caption_;
  int value_ = kUnchecked;
};

}  // namespace ui
