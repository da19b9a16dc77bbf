// PicChara: rows 0-3 the four seats' adventurers in 21 poses, rows 4-28 one portrait per monster
// in column 0. Every pose is composed from a few drawn parts and outlined last, so the ring of
// dark ink always follows the final silhouette.
#include "pic_chara.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "draw.h"
#include "gfx/blit.h"
#include "picgen.h"
#include "seat_colours.h"

namespace picgen {
namespace {

constexpr int kCell = 32;
constexpr int kPoses = 21;
constexpr int kMonsters = 25;
constexpr gfx::Color kInk = gfx::rgb(0x18, 0x14, 0x24);

// Copies every pixel of the part, magenta included, so a strip replaces what lay under it.
void pasteOpaque(gfx::Surface& dst, const gfx::Surface& part, int x, int y) {
  gfx::bitBlt(dst, x, y, part.width(), part.height(), part, 0, 0);
}

void clearRect(gfx::Surface& s, int x, int y, int w, int h) { fill(s, Rect::xywh(x, y, w, h), gfx::kMagenta); }

// The fade-out keys only the magenta that touches the cell's border, so a gap the figure
// encloses would flash magenta: ink it as shadow.
void inkEnclosedGaps(gfx::Surface& s, gfx::Color ink) {
  const int w = s.width(), h = s.height();
  std::vector<char> outside(static_cast<size_t>(w * h), 0);
  std::vector<std::pair<int, int>> todo;
  for (int x = 0; x < w; ++x) todo.insert(todo.end(), {{x, 0}, {x, h - 1}});
  for (int y = 0; y < h; ++y) todo.insert(todo.end(), {{0, y}, {w - 1, y}});
  while (!todo.empty()) {
    auto [x, y] = todo.back();
    todo.pop_back();
    if (x < 0 || y < 0 || x >= w || y >= h) continue;
    char& seen = outside[static_cast<size_t>(y * w + x)];
    if (seen || s.pixel(x, y) != gfx::kMagenta) continue;
    seen = 1;
    todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (!outside[static_cast<size_t>(y * w + x)] && s.pixel(x, y) == gfx::kMagenta) s.setPixel(x, y, ink);
}

// Every frame is finished the same way: ringed in ink, with no enclosed gap left.
void finish(gfx::Surface& s) {
  outline(s, s.bounds(), gfx::kMagenta, kInk);
  inkEnclosedGaps(s, kInk);
}

gfx::Surface withLegs(gfx::Surface s, const gfx::Surface& legs) {
  pasteOpaque(s, legs, 0, 26);
  return s;
}

// The hanging arms occupy columns 8-9 and 22-23 of the body; a raised arm replaces one.
constexpr int kArmX = 21, kArmY = 2;
gfx::Surface withRaisedArm(gfx::Surface s, const gfx::Surface& arm) {
  clearRect(s, 22, 19, 2, 7);
  stamp(s, kArmX, kArmY, arm);
  return s;
}
gfx::Surface withBothArmsUp(gfx::Surface s, const gfx::Surface& arm) {
  s = withRaisedArm(std::move(s), arm);
  clearRect(s, 8, 19, 2, 7);
  stamp(s, kCell - kArmX - arm.width(), kArmY, mirrored(arm));
  return s;
}

// The figure turned anticlockwise by `angle` about its left boot's outer edge, on a canvas three
// cells wide. Each pixel samples the figure 4 x 4 times and takes the colour most of its figure
// samples show, so thin parts (arms, ribbons) keep their shape instead of breaking up.
gfx::Surface turned(const gfx::Surface& s, double angle) {
  constexpr int kSub = 4, kBig = 3 * kCell;
  constexpr double px = 10, py = 30;  // the pivot, in the figure and (plus kCell) on the canvas
  const double c = std::cos(angle), sn = std::sin(angle);
  gfx::Surface big(kBig, kBig, gfx::kMagenta);
  for (int y = 0; y < kBig; ++y)
    for (int x = 0; x < kBig; ++x) {
      std::map<gfx::Color, int> votes;
      int figure = 0;
      for (int j = 0; j < kSub; ++j)
        for (int i = 0; i < kSub; ++i) {
          // Turned back (clockwise), the sample shows where it lay in the upright figure.
          double dx = x + (i + 0.5) / kSub - kCell - px, dy = y + (j + 0.5) / kSub - kCell - py;
          int sx = static_cast<int>(std::floor(px + c * dx - sn * dy));
          int sy = static_cast<int>(std::floor(py + sn * dx + c * dy));
          if (sx < 0 || sy < 0 || sx >= kCell || sy >= kCell || s.pixel(sx, sy) == gfx::kMagenta) continue;
          ++votes[s.pixel(sx, sy)];
          ++figure;
        }
      if (figure * 2 < kSub * kSub) continue;
      auto most = std::max_element(votes.begin(), votes.end(),
                                   [](const auto& a, const auto& b) { return a.second < b.second; });
      big.setPixel(x, y, most->first);
    }
  return big;
}

// The smallest rectangle holding every pixel that is not magenta.
Rect figureBox(const gfx::Surface& s) {
  Rect box{s.width(), s.height(), 0, 0};
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) != gfx::kMagenta)
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  return box;
}

// Falling over to the left: leaning as near 45 degrees as the hero's hat and hair allow while the
// whole figure, with room for its outline, still fits the cell with its feet on row 29.
gfx::Surface toppledLeft(const gfx::Surface& s) {
  gfx::Surface big;
  Rect box;
  for (int degrees : {45, 50, 40, 55, 60, 35, 65, 30}) {
    big = turned(s, degrees * M_PI / 180);
    box = figureBox(big);
    if (box.width() <= kCell - 2 && box.height() <= kCell - 3) break;
  }
  gfx::Surface out(kCell, kCell, gfx::kMagenta);
  stamp(out, (kCell - box.width()) / 2 - box.left, 30 - box.bottom, big);
  return out;
}

// Flat on the ground, head to the left, its lowest pixel on the floor row of the piece.
gfx::Surface lyingLeft(const gfx::Surface& s) {
  gfx::Surface flat = turnedLeft(s);
  gfx::Surface out(kCell, kCell, gfx::kMagenta);
  stamp(out, 0, 30 - figureBox(flat).bottom, flat);
  return out;
}

// Hero `n`'s 21 poses, from its front, back and side views and the parts all heroes share.
std::array<gfx::Surface, kPoses> heroPoses(const PixelArt& art, int n) {
  const std::string me = "hero" + std::to_string(n);
  // A hero may wear something over every face (glasses), whatever the expression.
  const gfx::Surface* over = art.has(me + "_face_over") ? &art.sprite(me + "_face_over") : nullptr;
  auto withFace = [&](gfx::Surface s, const gfx::Surface& face) {
    pasteOpaque(s, face, 9, 12);
    if (over) stamp(s, 9, 12, *over);
    return s;
  };
  gfx::Surface front = art.sprite(me + "_front");
  if (over) stamp(front, 9, 12, *over);
  const gfx::Surface& back = art.sprite(me + "_back");
  const gfx::Surface& side = art.sprite(me + "_side");
  const gfx::Surface& step = art.sprite("hero_legs_front_step");
  const gfx::Surface& arm = art.sprite("hero_arm_up");
  gfx::Surface armV = arm;
  stamp(armV, 0, 0, art.sprite("hero_fingers_v"));
  gfx::Surface left = side;
  gfx::Surface leftHalf = withLegs(side, art.sprite("hero_legs_side_half"));
  gfx::Surface leftStride = withLegs(side, art.sprite("hero_legs_side_stride"));
  gfx::Surface topple = toppledLeft(withFace(front, art.sprite("hero_face_surprise")));
  gfx::Surface lying = lyingLeft(withFace(front, art.sprite("hero_face_cry")));
  std::array<gfx::Surface, kPoses> p{
      front,
      withLegs(front, step),
      withLegs(front, mirrored(step)),
      left,
      leftHalf,
      leftStride,
      mirrored(left),
      mirrored(leftHalf),
      mirrored(leftStride),
      back,
      // Seen from behind the steps are also the climb: each reaches up with one hand.
      withRaisedArm(withLegs(back, step), arm),
      mirrored(withRaisedArm(withLegs(back, step), arm)),
      topple,
      lying,
      withRaisedArm(front, arm),
      withRaisedArm(withFace(front, art.sprite("hero_face_wink")), armV),
      withFace(front, art.sprite("hero_face_smile")),
      withBothArmsUp(withFace(front, art.sprite("hero_face_cry")), arm),
      withFace(front, art.sprite("hero_face_surprise")),
      mirrored(topple),
      mirrored(lying),
  };
  for (auto& s : p) finish(s);
  return p;
}

// The five boss forms are one creature growing: little, then grown with a tail, with horns,
// turned red, and crowned.
constexpr int kBossForms[] = {4, 9, 14, 19, 24};

gfx::Surface vorakForm(const PixelArt& art, int stage) {
  if (stage == 0) return art.sprite("vorak_little");
  gfx::Surface s(kCell, kCell, gfx::kMagenta);
  stamp(s, 0, 0, art.sprite("vorak_tail"));
  stamp(s, 0, 0, art.sprite("vorak_grown"));
  if (stage >= 2) stamp(s, 0, 0, art.sprite("vorak_horns"));
  if (stage >= 4) stamp(s, 0, 0, art.sprite("vorak_crown"));
  if (stage >= 3)
    s = recoloured(s, {{gfx::rgb(0xD2, 0xA8, 0xF8), gfx::rgb(0xFF, 0xB4, 0xA0)},
                       {gfx::rgb(0x9A, 0x5A, 0xD8), gfx::rgb(0xE0, 0x48, 0x38)},
                       {gfx::rgb(0x6A, 0x36, 0xA8), gfx::rgb(0xA8, 0x20, 0x28)},
                       {gfx::rgb(0x3C, 0x1C, 0x68), gfx::rgb(0x60, 0x10, 0x18)}});
  return s;
}

}  // namespace

gfx::Surface monsterPortrait(const PixelArt& art, int index) {
  gfx::Surface s;
  for (int stage = 0; stage < 5; ++stage)
    if (kBossForms[stage] == index) s = vorakForm(art, stage);
  if (s.empty()) s = art.sprite("monster_" + std::string(index < 10 ? "0" : "") + std::to_string(index));
  finish(s);
  return s;
}

namespace {

void drawChara(gfx::Surface& sheet, const Context& ctx) {
  const SeatTones& drawn = kSeatTones[0];
  for (int seat = 0; seat < 4; ++seat) {
    auto poses = heroPoses(ctx.art, seat);
    const SeatTones& t = kSeatTones[static_cast<size_t>(seat)];
    std::map<gfx::Color, gfx::Color> swap{{drawn.light, t.light}, {drawn.mid, t.mid}, {drawn.dark, t.dark}};
    for (int p = 0; p < kPoses; ++p)
      pasteOpaque(sheet, recoloured(poses[static_cast<size_t>(p)], swap), p * kCell, seat * kCell);
  }
  for (int m = 0; m < kMonsters; ++m) pasteOpaque(sheet, monsterPortrait(ctx.art, m), 0, (4 + m) * kCell);
}

const Register chara("PicChara.png", 21 * kCell, 29 * kCell, drawChara);

}  // namespace
}  // namespace picgen
