#include "presentation/controls/UcButton.h"

#include <algorithm>
#include <cstring>

#include "gfx/blit.h"
#include "gfx/text.h"
#include "sys/number.h"

// ---- property bag ----

void PropertyBag::WriteProperty(const std::string& key, Value v) {
  for (auto& e : entries_)
    if (e.first == key) {
      e.second = std::move(v);
      return;
    }
  entries_.emplace_back(key, std::move(v));
}

const PropertyBag::Value* PropertyBag::find(const std::string& key) const {
  for (const auto& e : entries_)
    if (e.first == key) return &e.second;
  return nullptr;
}

bool PropertyBag::ReadProperty(const std::string& key, bool def) const {
  const Value* v = find(key);
  if (!v) return def;
  if (auto b = std::get_if<bool>(v)) return *b;
  if (auto i = std::get_if<int32_t>(v)) return *i != 0;
  const auto& s = std::get<std::string>(*v);
  return s == "True" || s == "true" || sys::val(s) != 0;
}

int32_t PropertyBag::ReadProperty(const std::string& key, int32_t def) const {
  const Value* v = find(key);
  if (!v) return def;
  if (auto b = std::get_if<bool>(v)) return *b ? -1 : 0;
  if (auto i = std::get_if<int32_t>(v)) return *i;
  return sys::clampInt(static_cast<int64_t>(sys::val(std::get<std::string>(*v))));
}

std::string PropertyBag::ReadProperty(const std::string& key, const std::string& def) const {
  const Value* v = find(key);
  if (!v) return def;
  if (auto b = std::get_if<bool>(v)) return *b ? "True" : "False";
  if (auto i = std::get_if<int32_t>(v)) return std::to_string(*i);
  return std::get<std::string>(*v);
}

// ---- button ----

namespace {

constexpr int32_t kRgb(int r, int g, int b) { return static_cast<int32_t>(gfx::rgb(r, g, b)); }

// The longest the caption fit may try: a face whose "あ" never reaches the target would
// otherwise step the size forever.
constexpr int kMaxFitSteps = 32;

int32_t le32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<size_t>(k)]);
  return static_cast<int32_t>(v);
}

// Region data as the platform wrote it: dwSize, iType, nCount, nRgnSize, rcBound, then nCount
// rectangles. Built 1,024 rectangles at a time, each chunk OR-ed in. Unusable data gives none.
std::optional<gfx::Region> regionFromData(const std::string& data) {
  if (data.size() < 32) return std::nullopt;
  int32_t headerSize = le32(data, 0), type = le32(data, 4), count = le32(data, 8);
  if (headerSize != 32 || type != 1 || count < 0) return std::nullopt;
  if (static_cast<size_t>(count) > (data.size() - 32) / 16) return std::nullopt;
  gfx::Region out;
  for (int32_t first = 0; first < count; first += 1024) {
    gfx::Region chunk;
    for (int32_t i = first; i < std::min(count, first + 1024); ++i) {
      size_t at = 32 + static_cast<size_t>(i) * 16;
      // Far beyond any window, a shape means nothing; bounding it keeps damaged data cheap.
      gfx::Rect r = gfx::Rect{le32(data, at), le32(data, at + 4), le32(data, at + 8), le32(data, at + 12)}.intersect(
          {-2048, -2048, 4096, 4096});
      if (!r.empty()) chunk.combine(gfx::Region::fromRect(r), gfx::Region::Op::Or);
    }
    out.combine(chunk, gfx::Region::Op::Or);
  }
  return out;
}

}  // namespace

UcButton::UcButton(ui::Window* w, std::string name)
    : ui::PictureBox(w, std::move(name)),
      BackColorUp_(kRgb(220, 220, 220)),
      BackColorMove_(kRgb(230, 230, 230)),
      BackColorDown_(kRgb(190, 190, 190)),
      BorderColorU_(kRgb(244, 244, 244)),
      BorderColorD_(kRgb(40, 40, 40)) {
  Font_ = CaptionFont{"MS UI Gothic", 12, false};
  AutoFont();
  applyPointer();
  propertiesChanged_ = false;
}

UcButton::~UcButton() { closing_ = true; }

UcButton::Faces UcButton::facesFor(int32_t kazu) {
  switch (kazu) {
    case 0: return {0, 0, 0, 0};
    case 1: return {0, 1, 0, 0};
    case 2: return {0, 1, 2, 1};
    case 3: return {0, 1, 2, 3};
    case 4: return {0, 0, 1, 0};
    case 5: return {1, 0, 0, 0};
    case 7: return {0, 2, 1, 3};
    case 8: return {2, 2, 2, 2};
    default: return {0, 2, 1, 2};
  }
}

void UcButton::setButtonWidth(int32_t v) {
  ButtonWidth_ = v;
  changed();
  setWidth(v);
}

void UcButton::setButtonHeight(int32_t v) {
  ButtonHeight_ = v;
  changed();
  setHeight(v);
}

void UcButton::setButtonMaru(int32_t v) {
  ButtonMaru_ = v;
  changed();
  if (v > 0) setShape(gfx::Region::fromRoundRect({0, 0, width(), height()}, v, v));
  iRefresh();
}

void UcButton::setEnabled(bool bEnab) {
  changed();
  ui::Control::setEnabled(bEnab);
  if (!bEnab && MouseLostFocus) MouseLostFocus();
  if (bEnab) look_ = "UP";
  applyPointer();
  iRefresh();
}

void UcButton::setCaption(std::string v) {
  Caption_ = std::move(v);
  changed();
  fitCaption();
  AutoFont();
  iRefresh();
}

void UcButton::setCapSize(int32_t v) {
  CapSize_ = v;
  changed();
  fitCaption();
  iRefresh();
}

void UcButton::setRgn(std::string v) {
  Rgn_ = std::move(v);
  changed();
  if (Rgn_.empty()) return;
  if (auto r = regionFromData(Rgn_)) {
    setShape(std::move(*r));
    iRefresh();
  }
}

void UcButton::SetForeColor(int32_t UpColor, int32_t MoveColor, int32_t DownColor) {
  ForeColorUp_ = UpColor;
  ForeColorMove_ = MoveColor;
  ForeColorDown_ = DownColor;
  changed();
}

void UcButton::SetBackColor(int32_t UpColor, int32_t MoveColor, int32_t DownColor) {
  BackColorUp_ = UpColor;
  BackColorMove_ = MoveColor;
  BackColorDown_ = DownColor;
  changed();
}

void UcButton::setMousePointer(int32_t v) {
  MousePointer_ = v;
  changed();
  applyPointer();
}

void UcButton::applyPointer() {
  // Out-of-range values change nothing; a disabled button passes the pointer to its holder.
  if (MousePointer_ == 0) {
    setMouseIcon(handCursor());
    ui::Control::setMousePointer(ui::kPointerCustom);
  } else if (MousePointer_ >= 1 && MousePointer_ <= 15) {
    ui::Control::setMousePointer(MousePointer_);
  }
}

void UcButton::setFont(const CaptionFont& f) {
  Font_ = f;
  changed();
  iRefresh();
}

void UcButton::AutoFont() {
  // The heavy display gothic; where it is missing the font layer takes the fixed gothic.
  Font_.Name = "HG創英角ｺﾞｼｯｸUB";
}

void UcButton::fitCaption() {
  int32_t target = CapSize_ != 0 ? CapSize_ : sys::Int(0.9 * height());
  target = std::max(target, 10);
  int32_t start = std::max(8, (15 * target) / 20);
  int32_t points = start;
  int lowered = 0, raised = 0;
  bool settled = false;
  for (int step = 0; step < kMaxFitSteps; ++step) {
    int w = gfx::Font::open({Font_.Name, gfx::emFromPoints(points), Font_.Bold})->advance(U'あ');
    if (w == target) {
      settled = true;
      break;
    }
    if (w > target) {
      points = std::max(1, points - 1);
      ++lowered;
    } else {
      ++points;
      ++raised;
    }
    if (lowered >= 3 && raised >= 3) {
      settled = true;
      break;
    }
  }
  Font_.Size = settled ? points : start;
}

void UcButton::SetButton(const gfx::Surface* sheet, const std::string& caption, int32_t left, int32_t top, int32_t w,
                         int32_t h, int32_t kazu, int32_t muki, int32_t maru, const std::string& rgn, bool borderEffect,
                         int32_t X, int32_t Y, int32_t W, int32_t H, int32_t capSize) {
  setCaption(caption);
  setButtonLeft(left);
  setButtonTop(top);
  setButtonWidth(w);
  setButtonHeight(h);
  setButtonMuki(muki);
  setBorderEffect(borderEffect);
  setButtonKazu(kazu);
  if (capSize > 0) setCapSize(capSize);
  setPicButtonHdc(sheet);
  if (!rgn.empty()) setRgn(rgn);
  if (X >= 0 && Y >= 0 && W >= 0 && H >= 0) move(X, Y, W, H);
  if (capSize == -1) fitCaption();
  if (maru != 0) setButtonMaru(maru);
  iRefresh();
}

void UcButton::resized() {
  ui::PictureBox::resized();
  iRefresh();
}

void UcButton::iRefresh() {
  if (closing_) return;
  gfx::Surface& img = surface();
  int w = width(), h = height();
  if (img.width() != w || img.height() != h) img.resize(w, h, backColor());
  Faces f = facesFor(ButtonKazu_);
  std::string lk = enabled() ? look_ : "False";
  int face = f.up;
  int32_t fore = ForeColorUp_, back = BackColorUp_;
  gfx::Color tl = gfx::rgb(240, 240, 240), br = gfx::rgb(40, 40, 40);
  if (lk == "Move") {
    face = f.hover;
    fore = ForeColorMove_;
    back = BackColorMove_;
    tl = gfx::kWhite;
  } else if (lk == "Down" || lk == "False") {
    face = lk == "Down" ? f.pressed : f.disabled;
    fore = ForeColorDown_;
    back = BackColorDown_;
    tl = gfx::rgb(40, 40, 40);
    br = gfx::kWhite;
  }
  if (PicButtonHdc_) {
    int fx = ButtonMuki_ == 0 ? ButtonLeft_ + face * ButtonWidth_ : ButtonLeft_;
    int fy = ButtonMuki_ == 0 ? ButtonTop_ : ButtonTop_ + face * ButtonHeight_;
    gfx::stretchBlt(img, 0, 0, w, h, *PicButtonHdc_, fx, fy, ButtonWidth_, ButtonHeight_);
  }
  if (BorderEffect_) {
    gfx::fillRect(img, {0, 0, w, h}, static_cast<gfx::Color>(back) & 0xFFFFFF);
    // Lines leave out their end point, as the platform's do.
    gfx::fillRect(img, {0, 0, w, 1}, tl);
    gfx::fillRect(img, {0, h - 1, w, h}, br);
    gfx::fillRect(img, {0, 0, 1, h}, tl);
    gfx::fillRect(img, {w - 1, 0, w, h - 1}, br);
  }
  if (!Caption_.empty()) {
    img.font = gfx::Font::open({Font_.Name, gfx::emFromPoints(Font_.Size), Font_.Bold});
    img.textColor = static_cast<gfx::Color>(fore) & 0xFFFFFF;
    img.transparentText = true;
    gfx::drawText(img, Caption_, gfx::Rect{0, 2, w, h}, static_cast<unsigned>(CapAlign_));
  }
  refresh();
}

// ---- pointer and press tracking ----

void UcButton::pointerMove(int button, int x, int y) {
  if (x < 0 || y < 0 || x >= width() || y >= height()) {
    look_ = "Up";
    iRefresh();
    releaseCapture();
    if (MouseLostFocus) MouseLostFocus();
    return;
  }
  if (!hasCapture()) setCapture();
  look_ = (button & Response_) == 0 ? "Move" : "Down";
  iRefresh();
  if (MouseMove) MouseMove(static_cast<int16_t>(button), static_cast<float>(x), static_cast<float>(y));
}

void UcButton::press(int button, int x, int y) {
  clickPending_ = false;
  pressed_ = (button & Response_) != 0;
  if (pressed_) pointerMove(button, x, y);
  if (MouseDown) MouseDown(static_cast<int16_t>(button));
}

void UcButton::release(int button) {
  clickPending_ = false;
  pressed_ = (button & Response_) != 0;
  look_ = "Move";
  iRefresh();
  if (enabled() && pressed_) {
    look_ = "Normal";
    iRefresh();
    if (MouseUp) MouseUp(static_cast<int16_t>(button));
    if (Click) Click();
    if (ClickBtn) ClickBtn(static_cast<int16_t>(button));
  } else {
    look_ = "Up";
    iRefresh();
    if (MouseUp) MouseUp(static_cast<int16_t>(button));
  }
}

void UcButton::handleMouseDown(int button, int, int x, int y) { press(button, x, y); }
void UcButton::handleMouseUp(int button, int, int, int) { release(button); }
void UcButton::handleMouseMove(int button, int, int x, int y) { pointerMove(button, x, y); }

void UcButton::handleClick() {
  clickPending_ = pressed_;
  pressed_ = false;
}

void UcButton::handleDblClick() {
  // The pressed look again, so that the release that follows gives the second Click.
  if (clickPending_) pointerMove(ui::kLeftButton, 10, 10);
  clickPending_ = false;
}

void UcButton::handleKeyDown(int& key, int shift) {
  ui::PictureBox::handleKeyDown(key, shift);
  if (KeyBordUse_ && (key == ui::kVkReturn || key == ui::kVkSpace)) press(ui::kLeftButton, 10, 10);
}

void UcButton::handleKeyUp(int& key, int shift) {
  ui::PictureBox::handleKeyUp(key, shift);
  if (KeyBordUse_ && (key == ui::kVkReturn || key == ui::kVkSpace)) release(ui::kLeftButton);
}

void UcButton::handleKeyPress(int& ascii) {
  ui::PictureBox::handleKeyPress(ascii);
  if (ascii == 13) ascii = 0;
}

void UcButton::handleLostFocus() {
  ui::PictureBox::handleLostFocus();
  if (FocusLostUse_) pointerMove(0, -10, -10);
}

// ---- property bag ----

void UcButton::ReadProperties(const PropertyBag& b) {
  setEnabled(b.ReadProperty("Enabled", true));
  setCaption(b.ReadProperty("Caption", ""));
  setButtonKazu(b.ReadProperty("ButtonKazu", int32_t{3}));
  setButtonMuki(b.ReadProperty("ButtonMuki", int32_t{1}));
  setButtonWidth(b.ReadProperty("ButtonWidth", int32_t{96}));
  setButtonHeight(b.ReadProperty("ButtonHeight", int32_t{32}));
  setButtonLeft(b.ReadProperty("ButtonLeft", int32_t{0}));
  setButtonTop(b.ReadProperty("ButtonTop", int32_t{0}));
  setButtonMaru(b.ReadProperty("ButtonMaru", int32_t{0}));
  setCapSize(b.ReadProperty("CapSize", int32_t{16}));
  setForeColorUp(b.ReadProperty("ForeColorUp", int32_t{0xFFFFFF}));
  setForeColorMove(b.ReadProperty("ForeColorMove", int32_t{0x00FFFF}));
  setForeColorDown(b.ReadProperty("ForeColorDown", int32_t{0xFF0000}));
  setBackColorUp(b.ReadProperty("BackColorUp", kRgb(220, 220, 220)));
  setBackColorMove(b.ReadProperty("BackColorMove", kRgb(230, 230, 230)));
  setBackColorDown(b.ReadProperty("BackColorDown", kRgb(190, 190, 190)));
  setResponse(b.ReadProperty("Response", int32_t{7}));
  setMousePointer(b.ReadProperty("MousePointer", int32_t{0}));
  setCapAlign(b.ReadProperty("CapAlign", int32_t{37}));
  setBorderEffect(b.ReadProperty("BorderEffect", false));
  setBorderWidth(b.ReadProperty("BorderWidth", int32_t{1}));
  setBorderColorU(b.ReadProperty("BorderColorU", kRgb(244, 244, 244)));
  setBorderColorD(b.ReadProperty("BorderColorD", kRgb(40, 40, 40)));
  setFocusGotUse(b.ReadProperty("FocusGotUse", false));
  setFocusLostUse(b.ReadProperty("FocusLostUse", false));
  setKeyBordUse(b.ReadProperty("KeyBordUse", false));
  setRgn(b.ReadProperty("RGN", ""));
  propertiesChanged_ = false;
}

void UcButton::WriteProperties(PropertyBag& b) const {
  b.WriteProperty("Enabled", Enabled());
  b.WriteProperty("Caption", Caption_);
  b.WriteProperty("CapSize", CapSize_);
  b.WriteProperty("ButtonKazu", ButtonKazu_);
  b.WriteProperty("ButtonMuki", ButtonMuki_);
  b.WriteProperty("ButtonWidth", ButtonWidth_);
  b.WriteProperty("ButtonHeight", ButtonHeight_);
  b.WriteProperty("ButtonLeft", ButtonLeft_);
  b.WriteProperty("ButtonTop", ButtonTop_);
  b.WriteProperty("ButtonMaru", ButtonMaru_);
  b.WriteProperty("ForeColorUp", ForeColorUp_);
  b.WriteProperty("ForeColorMove", ForeColorMove_);
  b.WriteProperty("ForeColorDown", ForeColorDown_);
  b.WriteProperty("Response", Response_);
  b.WriteProperty("MousePointer", MousePointer_);
  b.WriteProperty("RGN", Rgn_);
  b.WriteProperty("BorderWidth", BorderWidth_);
  b.WriteProperty("BorderColorU", BorderColorU_);
  b.WriteProperty("BorderColorD", BorderColorD_);
  b.WriteProperty("BorderEffect", BorderEffect_);
  b.WriteProperty("BackColorUp", BackColorUp_);
  b.WriteProperty("BackColorMove", BackColorMove_);
  b.WriteProperty("BackColorDown", BackColorDown_);
  b.WriteProperty("CapAlign", CapAlign_);
  b.WriteProperty("FocusGotUse", FocusGotUse_);
  b.WriteProperty("FocusLostUse", FocusLostUse_);
  b.WriteProperty("KeyBordUse", KeyBordUse_);
}

void UcButton::InitProperties() {
  setEnabled(true);
  setCapAlign(37);
  setCapSize(20);
  setBorderEffect(true);
  setButtonMaru(-1);
  setResponse(7);
  setBorderWidth(1);
  SetBackColor(kRgb(200, 200, 200), kRgb(230, 230, 230), kRgb(150, 150, 150));
  SetForeColor(kRgb(60, 60, 60), 0, kRgb(90, 90, 90));
  iRefresh();
}

// ---- the hand pointer ----

std::shared_ptr<const ui::CursorImage> UcButton::handCursor() {
  static const std::shared_ptr<const ui::CursorImage> cursor = [] {
    auto c = std::make_shared<ui::CursorImage>();
    c->image = gfx::Surface(32, 32, gfx::kMagenta);
    c->hotX = 14;
    c->hotY = 0;
    c->transparent = gfx::kMagenta;
    gfx::Surface& s = c->image;
    // White fill: the raised index finger, three bent fingers, the thumb, palm and cuff.
    const gfx::Rect parts[] = {
        {14, 1, 17, 16},  {18, 7, 21, 16},  {22, 8, 25, 16},  {26, 10, 28, 17},
        {10, 13, 13, 17}, {11, 17, 14, 20}, {13, 15, 28, 24}, {14, 24, 27, 27},
    };
    for (const auto& r : parts) gfx::fillRect(s, r, gfx::kWhite);
    // A black line around every white area, and between the fingers.
    gfx::Surface fill = s;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        if (fill.pixel(x, y) != gfx::kMagenta) continue;
        bool edge = false;
        for (int dy = -1; dy <= 1 && !edge; ++dy)
          for (int dx = -1; dx <= 1 && !edge; ++dx) edge = fill.pixel(x + dx, y + dy) == gfx::kWhite;
        if (edge) s.setPixel(x, y, gfx::kBlack);
      }
    // The cuff.
    gfx::fillRect(s, {15, 27, 26, 31}, gfx::kBlack);
    gfx::fillRect(s, {16, 28, 25, 30}, gfx::rgb(90, 120, 200));
    return std::shared_ptr<const ui::CursorImage>(c);
  }();
  return cursor;
}
