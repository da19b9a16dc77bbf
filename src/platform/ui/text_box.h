// A one-line text box: typing, selection by keys and mouse, the clipboard, and Japanese entry
// through the desktop's input method (its composition is shown at the caret until committed).
#pragma once

#include <string>

#include "ui/drawn_control.h"

namespace ui {

class TextBox : public DrawnControl {
 public:
  // UTF-8. Positions and lengths below count characters.
  std::string text() const;
  void setText(const std::string& utf8);
  int selStart() const;
  int selLength() const;
  std::string selText() const;
  // Moves the caret there and empties the selection.
  void setSelStart(int pos);
  // Selects from selStart() on.
  void setSelLength(int len);
  // Replaces the selection.
  void setSelText(const std::string& utf8);
  int maxLength() const { return maxLength_; }
  void setMaxLength(int n) { maxLength_ = n; }
  bool locked() const { return locked_; }
  void setLocked(bool l) { locked_ = l; }
  // The input method's text not yet committed.
  const std::string& composition() const { return composition_; }

  // Raised after every change of the text.
  Handler Change;

  bool canFocus() const override { return true; }
  bool wantsTextInput() const override { return true; }
  void handleMouseDown(int button, int shift, int x, int y) override;
  void handleMouseMove(int button, int shift, int x, int y) override;
  void handleDblClick() override;
  void handleKeyDown(int& key, int shift) override;
  void handleKeyPress(int& ascii) override;
  void handleText(const std::string& utf8) override;
  void handleTextEditing(const std::string& utf8, int cursor) override;
  void handleGotFocus() override;
  void handleLostFocus() override;

 protected:
  friend class Window;
  TextBox(Window* w, std::string name);
  void render(gfx::Surface& face) override;

 private:
  void replaceSelection(const std::u32string& s);
  void setCaret(int pos, bool extend);
  int positionAt(int x) const;
  int xOf(int pos) const;
  std::u32string text_;
  int anchor_ = 0, caret_ = 0;
  int maxLength_ = 0;  // 0: no limit
  bool locked_ = false;
  std::string composition_;
  int compositionCursor_ = 0;
  int scroll_ = 0;
};

}  // namespace ui
