#include "presentation/controls/UcButton.h"

#include <gtest/gtest.h>

#include "gfx/blit.h"
#include "platform/ui_fixture.h"

namespace {

const gfx::Color kFace[4] = {gfx::rgb(200, 0, 0), gfx::rgb(0, 200, 0), gfx::rgb(0, 0, 200), gfx::rgb(90, 90, 90)};

// A 40 x 20 button at (100, 100) whose faces come from a sheet of four cells stacked downward.
struct ButtonTest : UiTest {
  gfx::Surface sheet{40, 80};
  UcButton* btn = nullptr;
  std::vector<std::string> events;

  void SetUp() override {
    UiTest::SetUp();
    for (int i = 0; i < 4; ++i) gfx::fillRect(sheet, gfx::Rect::xywh(0, 20 * i, 40, 20), kFace[i]);
    btn = &win->add<UcButton>("UcBtnMenu");
    btn->SetButton(&sheet, "", 0, 0, 40, 20, 3, 1, 0, "", false, 100, 100, 40, 20);
    btn->Click = [this] { events.push_back("Click"); };
    btn->ClickBtn = [this](int16_t b) { events.push_back("ClickBtn" + std::to_string(b)); };
    btn->MouseDown = [this](int16_t b) { events.push_back("Down" + std::to_string(b)); };
    btn->MouseUp = [this](int16_t b) { events.push_back("Up" + std::to_string(b)); };
    btn->MouseLostFocus = [this] { events.push_back("Lost"); };
    pump();
  }
  gfx::Color shown() { return composed().pixel(120, 110); }
};

TEST(UcButtonFaces, FaceTableByKazu) {
  struct Case {
    int kazu, up, pressed, hover, disabled;
  } cases[] = {{0, 0, 0, 0, 0}, {1, 0, 1, 0, 0}, {2, 0, 1, 2, 1}, {3, 0, 1, 2, 3}, {4, 0, 0, 1, 0}, {5, 1, 0, 0, 0},
               {7, 0, 2, 1, 3}, {8, 2, 2, 2, 2}, {6, 0, 2, 1, 2}, {9, 0, 2, 1, 2}, {-1, 0, 2, 1, 2}};
  for (const auto& c : cases) {
    auto f = UcButton::facesFor(c.kazu);
    EXPECT_EQ(f.up, c.up) << c.kazu;
    EXPECT_EQ(f.pressed, c.pressed) << c.kazu;
    EXPECT_EQ(f.hover, c.hover) << c.kazu;
    EXPECT_EQ(f.disabled, c.disabled) << c.kazu;
  }
}

TEST_F(ButtonTest, LooksShowTheirFaces) {
  EXPECT_EQ(shown(), kFace[0]);
  hb->mouseMove(110, 105);
  pump();
  EXPECT_EQ(shown(), kFace[2]);  // hover
  hb->mouseDown(110, 105);
  pump();
  EXPECT_EQ(shown(), kFace[1]);  // pressed
  hb->mouseUp(110, 105);
  pump(600);
  EXPECT_EQ(shown(), kFace[0]);  // "Normal" after the click
  hb->mouseMove(300, 300);
  pump();
  EXPECT_EQ(shown(), kFace[0]);
  btn->setEnabled(false);
  pump();
  EXPECT_EQ(shown(), kFace[3]);
  btn->setEnabled(true);
  EXPECT_EQ(btn->look(), "UP");

  // Faces side by side, and the cell stretched over a larger control.
  gfx::Surface row(160, 20);
  for (int i = 0; i < 4; ++i) gfx::fillRect(row, gfx::Rect::xywh(40 * i, 0, 40, 20), kFace[i]);
  btn->SetButton(&row, "", 0, 0, 40, 20, 7, 0, 0, "", false, 100, 100, 80, 40);
  btn->setEnabled(false);
  pump();
  EXPECT_EQ(composed().pixel(175, 135), kFace[3]);
}

TEST_F(ButtonTest, ClickAndItsNearMisses) {
  hb->click(110, 105);
  pump();
  EXPECT_EQ(events, (std::vector<std::string>{"Down1", "Up1", "Click", "ClickBtn1"}));

  // A mouse button outside Response: down and up, no click, the up look after.
  events.clear();
  btn->setResponse(1);
  pump(600);
  hb->click(110, 105, ui::kRightButton);
  pump(600);
  EXPECT_EQ(events, (std::vector<std::string>{"Down2", "Up2"}));
  EXPECT_EQ(btn->look(), "Up");

  // Dragged out before the release: the capture went with the pointer, so no click.
  events.clear();
  hb->mouseDown(110, 105);
  pump();
  hb->mouseMove(200, 200);
  pump();
  hb->mouseUp(200, 200);
  pump(600);
  EXPECT_EQ(events, (std::vector<std::string>{"Down1", "Lost"}));
  EXPECT_FALSE(btn->hasCapture());
  EXPECT_EQ(shown(), kFace[0]);

  // A disabled button hears nothing.
  events.clear();
  btn->setEnabled(false);
  EXPECT_EQ(events, (std::vector<std::string>{"Lost"}));
  events.clear();
  hb->click(110, 105);
  pump(600);
  EXPECT_TRUE(events.empty());
}

TEST_F(ButtonTest, DoubleClickGivesTwoClicks) {
  hb->click(110, 105);
  pump(50);
  hb->click(110, 105);
  pump(50);
  EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 2);
}

TEST_F(ButtonTest, KeyboardUse) {
  btn->setKeyBordUse(true);
  ASSERT_TRUE(btn->setFocus());
  hb->keyDown(ui::kVkSpace);
  pump();
  EXPECT_EQ(shown(), kFace[1]);
  hb->keyUp(ui::kVkSpace);
  pump();
  EXPECT_EQ(events, (std::vector<std::string>{"Down1", "Up1", "Click", "ClickBtn1"}));

  // Without it, keys do nothing; a typed Enter is swallowed either way.
  events.clear();
  btn->setKeyBordUse(false);
  hb->key(ui::kVkReturn);
  pump();
  EXPECT_TRUE(events.empty());
  int ascii = 13;
  btn->handleKeyPress(ascii);
  EXPECT_EQ(ascii, 0);

  // FocusLostUse: losing the focus acts as the pointer leaving.
  btn->setFocusLostUse(true);
  btn->setFocus();
  events.clear();
  auto& other = win->add<ui::PictureBox>("Other");
  other.move(300, 300, 20, 20);
  other.setFocus();
  EXPECT_EQ(events, (std::vector<std::string>{"Lost"}));
}

TEST_F(ButtonTest, PlaceAndShape) {
  btn->SetButton(&sheet, "", 0, 0, 40, 20, 3, 1, 0, "", false, 10, 10, -1, 20);
  EXPECT_EQ(btn->rect(), gfx::Rect::xywh(100, 100, 40, 20));  // a width of -1 leaves it in place
  EXPECT_FALSE(btn->shape().has_value());

  btn->setButtonMaru(10);
  ASSERT_TRUE(btn->shape().has_value());
  EXPECT_FALSE(btn->shape()->contains(0, 0));
  EXPECT_TRUE(btn->shape()->contains(20, 10));
  gfx::Region round = *btn->shape();
  btn->setButtonMaru(0);
  btn->setButtonMaru(-1);
  ASSERT_TRUE(btn->shape().has_value());
  EXPECT_EQ(btn->shape()->bounds(), round.bounds());  // kept

  // Region data: a 32-byte header and rectangles; more than 1,024 of them are built in chunks.
  auto regionData = [](const std::vector<gfx::Rect>& rects) {
    std::string d;
    auto put = [&](int32_t v) {
      for (int k = 0; k < 4; ++k) d.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * k)) & 0xFF));
    };
    put(32), put(1), put(static_cast<int32_t>(rects.size())), put(static_cast<int32_t>(rects.size() * 16));
    put(0), put(0), put(40), put(20);
    for (const auto& r : rects) put(r.left), put(r.top), put(r.right), put(r.bottom);
    return d;
  };
  btn->setRgn(regionData({{0, 0, 10, 20}, {30, 0, 40, 20}}));
  EXPECT_TRUE(btn->shape()->contains(5, 5));
  EXPECT_FALSE(btn->shape()->contains(20, 5));
  EXPECT_TRUE(btn->shape()->contains(35, 19));
  std::vector<gfx::Rect> many;
  for (int i = 0; i < 1500; ++i) many.push_back({i % 40, i / 40, i % 40 + 1, i / 40 + 1});
  btn->setRgn(regionData(many));
  EXPECT_TRUE(btn->shape()->contains(39, 36));  // rectangle 1479, in the second chunk
  EXPECT_TRUE(btn->shape()->contains(0, 0));
  EXPECT_FALSE(btn->shape()->contains(20, 37));
  btn->setRgn(regionData({{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}}));  // damaged: huge, yet cheap
  EXPECT_TRUE(btn->shape()->contains(39, 19));
  gfx::Region before = *btn->shape();
  btn->setRgn(std::string("\x20\0\0\0garbage", 11));  // unusable: ignored
  EXPECT_EQ(btn->shape()->bounds(), before.bounds());
  EXPECT_EQ(btn->Rgn().size(), 11u);
}

TEST_F(ButtonTest, PlainFaceEdgesAndCaption) {
  btn->SetButton(nullptr, "あ", 0, 0, 80, 30, 3, 1, 0, "", true, 100, 100, 80, 30, 16);
  btn->SetBackColor(static_cast<int32_t>(gfx::rgb(220, 220, 220)), static_cast<int32_t>(gfx::rgb(230, 230, 230)),
                    static_cast<int32_t>(gfx::rgb(190, 190, 190)));
  btn->SetForeColor(static_cast<int32_t>(gfx::kBlack), static_cast<int32_t>(gfx::kRed),
                    static_cast<int32_t>(gfx::kWhite));
  btn->iRefresh();
  const gfx::Surface& img = btn->surface();
  EXPECT_EQ(img.pixel(0, 0), gfx::rgb(240, 240, 240));
  EXPECT_EQ(img.pixel(0, 29), gfx::rgb(240, 240, 240));  // the left line ends on the last row
  EXPECT_EQ(img.pixel(79, 0), gfx::rgb(40, 40, 40));
  EXPECT_EQ(img.pixel(79, 29), gfx::rgb(40, 40, 40));
  EXPECT_EQ(img.pixel(3, 3), gfx::rgb(220, 220, 220));
  // The caption: "あ" fitted to 16 pixels wide, centred in (0, 2, 80, 30).
  auto font = gfx::Font::open({btn->Font().Name, btn->captionEm()});
  EXPECT_EQ(font->advance(U'あ'), 16);
  EXPECT_EQ(btn->Font().Name, "HG創英角ｺﾞｼｯｸUB");
  int l = 80, r = -1;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x)
      if (img.pixel(x, y) == gfx::kBlack) l = std::min(l, x), r = std::max(r, x);
  ASSERT_GE(r, 0);
  EXPECT_GE(l, 32);
  EXPECT_LE(r, 47);

  // Pressed: sunken edges in the pressed colours.
  hb->mouseDown(110, 110);
  pump();
  EXPECT_EQ(img.pixel(0, 0), gfx::rgb(40, 40, 40));
  EXPECT_EQ(img.pixel(79, 29), gfx::kWhite);
  EXPECT_EQ(img.pixel(3, 3), gfx::rgb(190, 190, 190));

  // CapSize 0: 90 % of the height.
  btn->setCapSize(0);
  auto fit = gfx::Font::open({btn->Font().Name, btn->captionEm()});
  EXPECT_NEAR(fit->advance(U'あ'), 27, 1);
}

TEST_F(ButtonTest, PropertyBag) {
  PropertyBag only;
  only.WriteProperty("ButtonWidth", int32_t{50});
  auto& b = win->add<UcButton>("FromBag");
  b.ReadProperties(only);
  EXPECT_EQ(b.ButtonWidth(), 50);
  EXPECT_EQ(b.width(), 50);
  EXPECT_EQ(b.ButtonHeight(), 32);
  EXPECT_EQ(b.ButtonLeft(), 0);
  EXPECT_EQ(b.ButtonTop(), 0);
  EXPECT_EQ(b.ButtonKazu(), 3);
  EXPECT_EQ(b.ButtonMuki(), 1);
  EXPECT_EQ(b.CapSize(), 16);
  EXPECT_EQ(b.CapAlign(), 37);
  EXPECT_EQ(b.Response(), 7);
  EXPECT_EQ(b.ForeColorMove(), static_cast<int32_t>(gfx::rgb(255, 255, 0)));
  EXPECT_EQ(b.ForeColorDown(), static_cast<int32_t>(gfx::rgb(0, 0, 255)));
  EXPECT_EQ(b.BorderColorU(), static_cast<int32_t>(gfx::rgb(244, 244, 244)));
  EXPECT_TRUE(b.Enabled());
  EXPECT_FALSE(b.BorderEffect());
  EXPECT_FALSE(b.propertiesChanged());

  // Written in order and read back the same.
  b.setCaption("決定");
  b.setButtonKazu(7);
  b.setKeyBordUse(true);
  EXPECT_TRUE(b.propertiesChanged());
  PropertyBag bag;
  b.WriteProperties(bag);
  ASSERT_EQ(bag.entries().size(), 27u);
  EXPECT_EQ(bag.entries().front().first, "Enabled");
  EXPECT_EQ(bag.entries().back().first, "KeyBordUse");
  auto& c = win->add<UcButton>("Copy");
  c.ReadProperties(bag);
  EXPECT_EQ(c.Caption(), "決定");
  EXPECT_EQ(c.ButtonKazu(), 7);
  EXPECT_TRUE(c.KeyBordUse());
  EXPECT_EQ(c.ButtonWidth(), 50);

  // Placed new at design time.
  auto& d = win->add<UcButton>("New");
  d.InitProperties();
  EXPECT_TRUE(d.BorderEffect());
  EXPECT_EQ(d.CapSize(), 20);
  EXPECT_EQ(d.ButtonMaru(), -1);
  EXPECT_EQ(d.BackColorDown(), static_cast<int32_t>(gfx::rgb(150, 150, 150)));
  EXPECT_EQ(d.ForeColorUp(), static_cast<int32_t>(gfx::rgb(60, 60, 60)));
  EXPECT_EQ(d.ForeColorMove(), 0);
}

TEST_F(ButtonTest, HandPointer) {
  auto hand = UcButton::handCursor();
  EXPECT_EQ(hand->image.width(), 32);
  EXPECT_EQ(hand->image.height(), 32);
  EXPECT_EQ(hand->hotX, 14);
  EXPECT_EQ(hand->hotY, 0);
  EXPECT_NE(hand->image.pixel(14, 0), hand->transparent);  // the fingertip is the hot spot
  EXPECT_EQ(hand->image.pixel(14, 1), gfx::kWhite);
  EXPECT_EQ(btn->mousePointer(), ui::kPointerCustom);
  EXPECT_EQ(btn->mouseIcon(), hand);
  btn->setMousePointer(11);
  EXPECT_EQ(btn->mousePointer(), 11);
  btn->setMousePointer(40);  // out of range: unchanged
  EXPECT_EQ(btn->mousePointer(), 11);
}

}  // namespace
