// Button faces: PicEnd (the top bar, 14 columns of three 55 x 18 faces stacked downward) and
// PicBtn (the command menus and the start screen, three faces side by side). Buttons have no
// captions of their own, so every label and key digit is lettered into its faces here.
// Face 0 is up, face 1 is under the pointer, face 2 is pressed and also disabled: it reads
// both as pushed in and as greyed out.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "draw.h"
#include "picgen.h"
#include "text.h"

namespace picgen {
namespace {

const Color kInk = gfx::rgb(12, 12, 20);

struct Tint {
  Color top, bottom;  // the face's gradient
};

// The body of one face; returns the offset its content moves by (pressed faces sink).
int faceBody(Surface& s, Rect r, Tint t, int state, int radius) {
  Color top = t.top, bottom = t.bottom;
  if (state == 1) top = shade(top, 70), bottom = shade(bottom, 60);
  if (state == 2) {
    // Pressed and disabled: darker and drained of colour.
    auto grey = [](Color c) {
      int v = (gfx::red(c) * 3 + gfx::green(c) * 6 + gfx::blue(c)) / 10;
      return mix(c, gfx::rgb(v, v, v), 180);
    };
    top = shade(grey(t.bottom), -90), bottom = shade(grey(t.top), -60);
  }
  Surface body(r.width(), r.height(), gfx::kBlack);
  roundRect(body, body.bounds(), radius, gfx::kWhite);
  Surface fillS(r.width(), r.height());
  bandGradient(fillS, fillS.bounds(), top, bottom, std::max(2, r.height() / 3));
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x)
      if (body.pixel(x, y) == gfx::kWhite) s.setPixel(r.left + x, r.top + y, fillS.pixel(x, y));
  // Edges: lit top-left and shaded bottom-right when up, the other way round when pressed.
  Color light = state == 2 ? shade(bottom, -80) : shade(top, 120);
  Color dark = state == 2 ? shade(top, 60) : shade(bottom, -120);
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x) {
      if (body.pixel(x, y) != gfx::kWhite) continue;
      bool edgeTL = body.pixel(x - 1, y) != gfx::kWhite || body.pixel(x, y - 1) != gfx::kWhite;
      bool edgeBR = body.pixel(x + 1, y) != gfx::kWhite || body.pixel(x, y + 1) != gfx::kWhite;
      if (edgeTL)
        s.setPixel(r.left + x, r.top + y, light);
      else if (edgeBR)
        s.setPixel(r.left + x, r.top + y, dark);
    }
  if (state == 1) {
    // The hovered face glows with a thin gold rim just inside its edge.
    for (int y = 1; y < r.height() - 1; ++y)
      for (int x = 1; x < r.width() - 1; ++x) {
        if (body.pixel(x, y) != gfx::kWhite) continue;
        bool nearEdge = false;
        for (int k = 0; k < 4 && !nearEdge; ++k) {
          int dx = k == 0 ? -2 : k == 1 ? 2 : 0, dy = k == 2 ? -2 : k == 3 ? 2 : 0;
          nearEdge = body.pixel(x + dx, y + dy) != gfx::kWhite && body.pixel(x + dx / 2, y + dy / 2) == gfx::kWhite;
        }
        if (nearEdge) s.setPixel(r.left + x, r.top + y, gfx::rgb(255, 220, 90));
      }
  }
  return state == 2 ? 1 : 0;
}

TextStyle labelStyle(int state, int px, int maxWidth) {
  TextStyle st;
  st.face = Face::Heavy;
  st.px = px;
  st.outline = 1;
  st.maxWidth = maxWidth;
  if (state == 2) {
    st.top = gfx::rgb(176, 176, 184);
    st.bottom = gfx::rgb(120, 120, 130);
    st.outlineColor = gfx::rgb(30, 30, 36);
  } else {
    st.top = state == 1 ? gfx::rgb(255, 255, 210) : gfx::kWhite;
    st.bottom = state == 1 ? gfx::rgb(255, 216, 90) : gfx::rgb(206, 214, 236);
    st.outlineColor = kInk;
  }
  return st;
}

// --- PicEnd -----------------------------------------------------------------------------------------

const std::array<const char*, 14> kTopBar = {"開始", "上書",   "画面", "マップ", "終了",   "データ", "読込み",
                                             "保存", "クリア", "戻る", "ゲーム", "前の面", "次の面", "最小化"};

const Register topBar("PicEnd.png", 832, 54, [](Surface& s, const Context&) {
  // The strip behind the bar: the unused right end shows just that.
  bandGradient(s, s.bounds(), gfx::rgb(64, 74, 124), gfx::rgb(26, 30, 60), 6);
  for (int i = 0; i < 14; ++i) {
    // Leaving and game commands get a warmer tint than the others, so they are found at once.
    bool warm = i == 4 || i == 9 || i == 13;
    Tint t =
        warm ? Tint{gfx::rgb(200, 90, 70), gfx::rgb(120, 36, 30)} : Tint{gfx::rgb(84, 130, 210), gfx::rgb(34, 58, 130)};
    for (int state = 0; state < 3; ++state) {
      Rect r = Rect::xywh(55 * i, 18 * state, 55, 18);
      fill(s, r, gfx::rgb(20, 22, 44));
      int d = faceBody(s, Rect{r.left + 1, r.top, r.right - 1, r.bottom}, t, state, 4);
      drawTextCentered(s, r.offset(d, d), kTopBar[static_cast<size_t>(i)], labelStyle(state, 13, 49));
    }
  }
});

// --- PicBtn -----------------------------------------------------------------------------------------

struct Menu {
  int x, y;
  Tint tint;
  std::array<const char*, 4> labels;
};

const Menu kMenus[] = {
    {0, 0, {gfx::rgb(70, 130, 220), gfx::rgb(24, 56, 140)}, {"←", "→", "薬", "宝探し"}},
    {0, 100, {gfx::rgb(220, 70, 60), gfx::rgb(120, 20, 24)}, {"攻撃", "薬", "ひみつ", "逃げる"}},
    {0, 200, {gfx::rgb(220, 150, 60), gfx::rgb(140, 70, 20)}, {"休憩", "賭博場", "射的場", "出る"}},
    {0, 300, {gfx::rgb(80, 190, 90), gfx::rgb(24, 100, 40)}, {"薬1個", "薬3個", "タイムアタック", "出る"}},
    {300, 0, {gfx::rgb(150, 90, 200), gfx::rgb(70, 30, 120)}, {"生命力", "攻撃力", "運勢", "出る"}},
    {300, 100, {gfx::rgb(60, 180, 190), gfx::rgb(20, 90, 110)}, {"はい", "いいえ", "攻撃", "無視"}},
    {300, 200, {gfx::rgb(230, 80, 170), gfx::rgb(120, 24, 90)}, {"賭博場", "射的場", "タイムアタック", "出る"}},
    {300, 300, {gfx::rgb(60, 170, 150), gfx::rgb(20, 90, 80)}, {"休憩", "薬2個", "訓練", "出る"}},
};
// The key that presses button i is its digit.
const char* kDigits[] = {"1", "2", "3", "0"};

void menuFace(Surface& s, Rect r, Tint t, int state, const char* digit, const char* label) {
  fill(s, r, gfx::rgb(16, 18, 34));
  int d = faceBody(s, Rect{r.left, r.top, r.right, r.bottom - 1}, t, state, 5);
  // The digit sits on a little key cap at the left.
  Rect cap = Rect::xywh(r.left + 4 + d, r.top + 3 + d, 17, 18);
  Color capTop = state == 2 ? gfx::rgb(120, 120, 126) : gfx::rgb(250, 250, 240);
  Color capBottom = state == 2 ? gfx::rgb(90, 90, 96) : gfx::rgb(200, 204, 214);
  roundRect(s, cap, 3, kInk);
  Rect capIn{cap.left + 1, cap.top + 1, cap.right - 1, cap.bottom - 1};
  bandGradient(s, capIn, capTop, capBottom, 3);
  TextStyle ds;
  ds.face = Face::Heavy;
  ds.px = 15;
  ds.top = ds.bottom = state == 2 ? gfx::rgb(50, 50, 56) : shade(t.bottom, -60);
  drawTextCentered(s, capIn, digit, ds);
  Rect text{r.left + 23 + d, r.top + d, r.right - 3 + d, r.bottom - 1 + d};
  std::string l = label;
  if (l == "←" || l == "→") {
    // The font's arrows are hairlines; the walking direction deserves a bold one.
    int dir = l == "→" ? 1 : -1, cx = (text.left + text.right) / 2, cy = text.top + 12;
    TextStyle st = labelStyle(state, 15, 0);
    Surface a(r.width(), r.height(), gfx::kMagenta);
    int ox = cx - r.left, oy = cy - r.top;
    polygon(a, {{ox + dir * 12, oy}, {ox + dir * 3, oy - 8}, {ox + dir * 3, oy + 9}}, gfx::kWhite);
    fill(a, Rect{std::min(ox - dir * 12, ox + dir * 3), oy - 3, std::max(ox - dir * 12, ox + dir * 3) + 1, oy + 4},
         gfx::kWhite);
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) == gfx::kWhite)
          a.setPixel(x, y, mix(st.top, st.bottom, std::clamp((y - oy + 8) * 16, 0, 256)));
    outline(a, a.bounds(), gfx::kMagenta, st.outlineColor);
    stamp(s, r.left, r.top, a);
  } else {
    drawTextCentered(s, text, label, labelStyle(state, 15, text.width()));
  }
}

// The start screen's seat faces: an emblem of who plays the seat and its word below.
void seatEmblem(Surface& s, Rect r, int kind, int state, int d) {
  Color ink = state == 2 ? gfx::rgb(150, 150, 156) : gfx::kWhite;
  Color edge = kInk;
  int cx = r.left + 50 + d, top = r.top + 12 + d;
  Surface e(100, 100, gfx::kMagenta);
  if (kind == 0) {  // a person: head and shoulders
    disc2(e, 100, 2 * (22), 24, ink);
    roundRect(e, Rect{30, 36, 70, 62}, 12, ink);
  } else if (kind == 1) {  // a computer: a monitor on a stand
    roundRect(e, Rect{26, 8, 74, 46}, 4, ink);
    fill(e, Rect{31, 13, 69, 41}, state == 2 ? gfx::rgb(70, 80, 90) : gfx::rgb(60, 170, 230));
    fill(e, Rect{36, 18, 44, 22}, gfx::rgb(200, 240, 255));
    fill(e, Rect{45, 46, 55, 54}, ink);
    fill(e, Rect{34, 54, 66, 60}, ink);
  } else {  // nobody: an empty, dashed seat outline
    for (int a = 0; a < 360; a += 20) {
      double rad = a * 3.14159265 / 180.0;
      int x = 50 + static_cast<int>(22 * std::cos(rad)), y = 32 + static_cast<int>(22 * std::sin(rad));
      fill(e, Rect::xywh(x - 2, y - 2, 5, 5), ink);
    }
  }
  outline(e, e.bounds(), gfx::kMagenta, edge);
  stamp(s, cx - 50, top - 8, e);
}

void bigFace(Surface& s, Rect r, Tint t, int state, int kind, const char* label) {
  fill(s, r, gfx::rgb(16, 18, 34));
  int d = faceBody(s, Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, t, state, 10);
  if (kind >= 0) {
    seatEmblem(s, r, kind, state, d);
    drawTextCentered(s, Rect{r.left + d, r.top + 64 + d, r.right + d, r.bottom - 6 + d}, label,
                     labelStyle(state, 22, 90));
  } else {
    TextStyle st = labelStyle(state, 36, 90);
    st.outline = 2;
    drawTextCentered(s, r.offset(d, d), label, st);
  }
}

const Register buttons("PicBtn.png", 600, 601, [](Surface& s, const Context&) {
  fill(s, s.bounds(), gfx::rgb(16, 18, 34));
  for (const Menu& m : kMenus)
    for (int i = 0; i < 4; ++i)
      for (int state = 0; state < 3; ++state)
        menuFace(s, Rect::xywh(m.x + 100 * state, m.y + 25 * i, 100, 25), m.tint, state, kDigits[i],
                 m.labels[static_cast<size_t>(i)]);
  struct Big {
    int x, y, kind;
    Tint tint;
    const char* label;
  };
  const Big bigs[] = {
      {0, 400, 0, {gfx::rgb(80, 150, 230), gfx::rgb(30, 66, 150)}, "人間"},
      {300, 400, 1, {gfx::rgb(90, 190, 120), gfx::rgb(26, 100, 50)}, "自動"},
      {0, 500, 2, {gfx::rgb(130, 130, 144), gfx::rgb(60, 60, 74)}, "なし"},
      {300, 500, -1, {gfx::rgb(230, 150, 50), gfx::rgb(150, 70, 20)}, "はい"},
  };
  for (const Big& b : bigs)
    for (int state = 0; state < 3; ++state)
      bigFace(s, Rect::xywh(b.x + 100 * state, b.y, 100, 100), b.tint, state, b.kind, b.label);
});

}  // namespace
}  // namespace picgen
