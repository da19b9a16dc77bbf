// The owner-drawn button of every menu and bar: a face cut from a picture sheet (or plain colours
// with a raised or sunken edge) in one of four looks, a caption, an optional rounded or arbitrary
// shape, hover tracking through the mouse capture, and keyboard use.
//
//   auto& b = frmMain.add<UcButton>("UcBtnClose", &PicStatusUp);
//   b.SetButton(&sheet, "", 0, 0, 64, 24, 3, 1, 0, "", false, 700, 0, 64, 24);
//   b.Click = [&] { ... };
//
// Faces by look for the default ButtonKazu 3: 0 up, 1 pressed, 2 hover, 3 disabled. The button's
// own events (Click, ClickBtn, MouseMove, MouseUp, MouseDown, MouseLostFocus) carry the
// arguments the game's handlers expect and replace the toolkit's handlers of the same names.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "gfx/font.h"
#include "ui/picture_box.h"

// A key/value record of persisted properties, kept in the order they were written.
class PropertyBag {
 public:
  using Value = std::variant<bool, int32_t, std::string>;
  void WriteProperty(const std::string& key, Value v);
  // The stored value converted to the default's type, or the default when the key is missing.
  bool ReadProperty(const std::string& key, bool def) const;
  int32_t ReadProperty(const std::string& key, int32_t def) const;
  std::string ReadProperty(const std::string& key, const std::string& def) const;
  std::string ReadProperty(const std::string& key, const char* def) const {
    return ReadProperty(key, std::string(def));
  }
  const std::vector<std::pair<std::string, Value>>& entries() const { return entries_; }

 private:
  const Value* find(const std::string& key) const;
  std::vector<std::pair<std::string, Value>> entries_;
};

// The caption font object: face, whole points, bold.
struct CaptionFont {
  std::string Name = "MS UI Gothic";
  int32_t Size = 12;
  bool Bold = false;
};

class UcButton : public ui::PictureBox {
 public:
  ~UcButton() override;

  // Events.
  std::function<void()> Click;
  std::function<void(int16_t Button)> ClickBtn;
  std::function<void(int16_t Button, float X, float Y)> MouseMove;
  std::function<void(int16_t Button)> MouseUp;
  std::function<void(int16_t Button)> MouseDown;
  std::function<void()> MouseLostFocus;

  // The sheet the faces are cut from; null for none.
  void setPicButtonHdc(const gfx::Surface* sheet) {
    PicButtonHdc_ = sheet;
    changed();
  }
  const gfx::Surface* PicButtonHdc() const { return PicButtonHdc_; }
  void setButtonLeft(int32_t v) {
    ButtonLeft_ = v;
    changed();
  }
  int32_t ButtonLeft() const { return ButtonLeft_; }
  void setButtonTop(int32_t v) {
    ButtonTop_ = v;
    changed();
  }
  int32_t ButtonTop() const { return ButtonTop_; }
  void setButtonWidth(int32_t v);
  int32_t ButtonWidth() const { return ButtonWidth_; }
  void setButtonHeight(int32_t v);
  int32_t ButtonHeight() const { return ButtonHeight_; }
  void setButtonMuki(int32_t v) {
    ButtonMuki_ = v;
    changed();
  }
  int32_t ButtonMuki() const { return ButtonMuki_; }
  void setButtonMaru(int32_t v);
  int32_t ButtonMaru() const { return ButtonMaru_; }
  void setButtonKazu(int32_t v) {
    ButtonKazu_ = v;
    changed();
  }
  int32_t ButtonKazu() const { return ButtonKazu_; }
  // The Enabled property (hides the toolkit's plain switch: the look and pointer follow it).
  void setEnabled(bool bEnab);
  bool Enabled() const { return enabled(); }
  void setCaption(std::string v);
  const std::string& Caption() const { return Caption_; }
  void SetButton(const gfx::Surface* PicButtonHdc, const std::string& Caption, int32_t ButtonLeft, int32_t ButtonTop,
                 int32_t ButtonWidth, int32_t ButtonHeight, int32_t ButtonKazu, int32_t ButtonMuki, int32_t ButtonMaru,
                 const std::string& Rgn, bool BorderEffect, int32_t X, int32_t Y, int32_t W, int32_t H,
                 int32_t CapSize = 0);
  void iRefresh();
  void setCapSize(int32_t v);
  int32_t CapSize() const { return CapSize_; }
  // Region data: a 32-byte header and rectangles of four 32-bit little-endian numbers.
  void setRgn(std::string v);
  const std::string& Rgn() const { return Rgn_; }
  void setForeColorUp(int32_t c) {
    ForeColorUp_ = c;
    changed();
  }
  void setForeColorMove(int32_t c) {
    ForeColorMove_ = c;
    changed();
  }
  void setForeColorDown(int32_t c) {
    ForeColorDown_ = c;
    changed();
  }
  void setBackColorUp(int32_t c) {
    BackColorUp_ = c;
    changed();
  }
  void setBackColorMove(int32_t c) {
    BackColorMove_ = c;
    changed();
  }
  void setBackColorDown(int32_t c) {
    BackColorDown_ = c;
    changed();
  }
  int32_t ForeColorUp() const { return ForeColorUp_; }
  int32_t ForeColorMove() const { return ForeColorMove_; }
  int32_t ForeColorDown() const { return ForeColorDown_; }
  int32_t BackColorUp() const { return BackColorUp_; }
  int32_t BackColorMove() const { return BackColorMove_; }
  int32_t BackColorDown() const { return BackColorDown_; }
  void SetForeColor(int32_t UpColor = 0, int32_t MoveColor = 0, int32_t DownColor = 0);
  void SetBackColor(int32_t UpColor, int32_t MoveColor, int32_t DownColor);
  void setBorderWidth(int32_t v) {
    BorderWidth_ = v;
    changed();
  }
  int32_t BorderWidth() const { return BorderWidth_; }
  void setBorderColorU(int32_t v) {
    BorderColorU_ = v;
    changed();
  }
  int32_t BorderColorU() const { return BorderColorU_; }
  void setBorderColorD(int32_t v) {
    BorderColorD_ = v;
    changed();
  }
  int32_t BorderColorD() const { return BorderColorD_; }
  void setBorderEffect(bool v) {
    BorderEffect_ = v;
    changed();
  }
  bool BorderEffect() const { return BorderEffect_; }
  void setResponse(int32_t v) {
    Response_ = v;
    changed();
  }
  int32_t Response() const { return Response_; }
  // The MousePointer property: 0 the button's own hand, 1..15 a standard pointer.
  void setMousePointer(int32_t v);
  int32_t MousePointer() const { return MousePointer_; }
  const CaptionFont& Font() const { return Font_; }
  void setFont(const CaptionFont& f);
  void setCapAlign(int32_t v) {
    CapAlign_ = v;
    changed();
  }
  int32_t CapAlign() const { return CapAlign_; }
  void AutoFont();
  void setFocusLostUse(bool v) {
    FocusLostUse_ = v;
    changed();
  }
  bool FocusLostUse() const { return FocusLostUse_; }
  void setFocusGotUse(bool v) {
    FocusGotUse_ = v;
    changed();
  }
  bool FocusGotUse() const { return FocusGotUse_; }
  void setKeyBordUse(bool v) {
    KeyBordUse_ = v;
    changed();
  }
  bool KeyBordUse() const { return KeyBordUse_; }
  void ReleaseMouse() { releaseCapture(); }

  // The property bag: defaults for missing keys, every value through its setter.
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;
  // A button newly placed at design time.
  void InitProperties();
  bool propertiesChanged() const { return propertiesChanged_; }

  const std::string& look() const { return look_; }
  // The face numbers of the up, pressed, hover and disabled looks for a ButtonKazu value.
  struct Faces {
    int up, pressed, hover, disabled;
  };
  static Faces facesFor(int32_t ButtonKazu);
  // The caption font's em now (after fitting).
  int captionEm() const { return gfx::emFromPoints(Font_.Size); }
  // The control's own pointer: a pointing hand with its fingertip at (14, 0).
  static std::shared_ptr<const ui::CursorImage> handCursor();

  void handleMouseDown(int button, int shift, int x, int y) override;
  void handleMouseUp(int button, int shift, int x, int y) override;
  void handleMouseMove(int button, int shift, int x, int y) override;
  void handleClick() override;
  void handleDblClick() override;
  void handleKeyDown(int& key, int shift) override;
  void handleKeyUp(int& key, int shift) override;
  void handleKeyPress(int& ascii) override;
  void handleLostFocus() override;

 protected:
  friend class ui::Window;
  UcButton(ui::Window* w, std::string name);
  void resized() override;

 private:
  void changed() { propertiesChanged_ = true; }
  void fitCaption();
  void pointerMove(int button, int x, int y);
  void press(int button, int x, int y);
  void release(int button);
  void applyPointer();

  const gfx::Surface* PicButtonHdc_ = nullptr;
  int32_t ButtonLeft_ = 0, ButtonTop_ = 0, ButtonWidth_ = 96, ButtonHeight_ = 32;
  int32_t ButtonMuki_ = 1, ButtonKazu_ = 3, ButtonMaru_ = 0;
  std::string Caption_;
  int32_t CapSize_ = 16, CapAlign_ = 37;
  int32_t ForeColorUp_ = 0xFFFFFF, ForeColorMove_ = 0x00FFFF, ForeColorDown_ = 0xFF0000;
  int32_t BackColorUp_, BackColorMove_, BackColorDown_;
  bool BorderEffect_ = false;
  int32_t BorderWidth_ = 1, BorderColorU_, BorderColorD_;
  int32_t Response_ = 7, MousePointer_ = 0;
  std::string Rgn_;
  bool FocusGotUse_ = false, FocusLostUse_ = false, KeyBordUse_ = false;
  CaptionFont Font_;
  std::string look_ = "Up";
  bool pressed_ = false, clickPending_ = false, closing_ = false;
  bool propertiesChanged_ = false;
};
