// PicMap, the board's tile sheet (15 x 3 tiles of 32 x 32, one per cell code "XY" at (32X, 32Y)),
// and PicMapSky, the sky strip and the wall textures behind it.
//
// Keys the board reads: magenta is transparent everywhere (the sky or, in the nine see-through
// tiles, the row's wall shows there); pure red is the hole through which the sky shows in those
// nine tiles, and pixel (48, 79), the middle of the big crack, must stay red.
#include <functional>
#include <map>

#include "draw.h"
#include "picgen.h"
#include "text.h"

namespace picgen {
namespace {

constexpr Color M = gfx::kMagenta;
constexpr Color HOLE = gfx::kRed;

const Color kInk = gfx::rgb(28, 22, 34);
const Color kWood = gfx::rgb(168, 110, 60);
const Color kWoodDark = gfx::rgb(104, 62, 32);
const Color kWoodLight = gfx::rgb(214, 162, 100);
const Color kStone = gfx::rgb(160, 160, 172);
const Color kStoneDark = gfx::rgb(98, 98, 116);
const Color kStoneLight = gfx::rgb(212, 212, 222);
const Color kGrass = gfx::rgb(64, 172, 56);
const Color kGrassDark = gfx::rgb(30, 108, 40);
const Color kGrassLight = gfx::rgb(146, 222, 90);
const Color kWater = gfx::rgb(52, 124, 226);
const Color kWaterDark = gfx::rgb(30, 70, 164);
const Color kWaterLight = gfx::rgb(160, 214, 255);
const Color kSkin = gfx::rgb(250, 204, 160);
const Color kGold = gfx::rgb(250, 200, 40);
const Color kGoldDark = gfx::rgb(176, 120, 20);
const Color kWhite = gfx::rgb(250, 250, 250);

Surface tile() { return Surface(32, 32, M); }

// A lettered sign plate: the glyph is drawn hard-edged in the plate's middle.
void plate(Surface& t, Rect r, Color bg, Color border, const std::string& label, Color fg, int px) {
  fill(t, r, bg);
  frame(t, r, border);
  TextStyle st;
  st.face = Face::Bold;
  st.px = px;
  st.top = st.bottom = fg;
  st.maxWidth = r.width() - 2;
  drawTextCentered(t, Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, label, st);
}

// --- the see-through tiles (red = sky, magenta = the row's wall) --------------------------------

// A crack from top to bottom; `half` is its half-width at the middle. Even the smallest is a
// two-pixel gap between broken lips, so it reads on grass and stone alike at full size.
void crack(Surface& t, int half) {
  static const int wob[32] = {0, 1,  1,  2,  1,  0, -1, -2, -2, -1, 0, 1,  2,  2, 1, 0,
                              0, -1, -2, -2, -1, 0, 1,  1,  2,  1,  0, -1, -1, 0, 1, 1};
  for (int y = 0; y < 32; ++y) {
    // Widest at the centre so the middle of the big crack is always open.
    int dist = y < 16 ? 15 - y : y - 16;
    int w = std::max(1, half - dist * half / 16);
    int cx = 16 + (half >= 5 ? wob[y] / 2 : wob[y]);
    int x0 = cx - w, x1 = cx + w - 1;
    // Broken edges: a dark lip on the left, a lit one on the right, crumbled earth beyond.
    t.setPixel(x0 - 1, y, kInk);
    t.setPixel(x1 + 1, y, gfx::rgb(60, 44, 40));
    t.setPixel(x0 - 2, y, gfx::rgb(80, 64, 58));
    t.setPixel(x1 + 2, y, gfx::rgb(80, 64, 58));
    hline(t, x0, x1, y, HOLE);
  }
  // Hairline branches.
  line(t, 13, 6, 8, 3, kInk);
  line(t, 19, 24, 25, 28, kInk);
  if (half >= 3) {
    line(t, 20, 10, 27, 7, kInk);
    line(t, 11, 21, 4, 25, kInk);
  }
}

// A basin set into the top of the slab.
void basin(Surface& t, Rect r, Color water, Color waterLight, Color rim) {
  Surface bowl(32, 32, M);
  ellipse(bowl, Rect{r.left, r.top - r.height(), r.right, r.bottom}, water);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (bowl.pixel(x, y) != M && y >= r.top) t.setPixel(x, y, water);
  outline(t, Rect{0, 0, 32, 32}, M, rim, true);
  hline(t, r.left + 1, r.right - 2, r.top, waterLight);
  hline(t, r.left - 1, r.right, r.top - 1, rim);
}

void tPond(Surface& t) {
  basin(t, Rect{2, 2, 30, 24}, kWater, kWaterLight, gfx::rgb(88, 84, 96));
  // Ripples and a glint.
  hline(t, 8, 13, 7, kWaterLight);
  hline(t, 18, 24, 11, kWaterLight);
  hline(t, 11, 15, 15, kWaterLight);
  hline(t, 6, 25, 3, kWaterDark);
  t.setPixel(22, 6, kWhite);
}

void tTrap(Surface& t) {
  // A pit let into the slab, with a row of steel spikes standing in it.
  Rect pit{3, 1, 29, 21};
  bandGradient(t, pit, gfx::rgb(20, 12, 16), gfx::rgb(70, 40, 36), 4);
  frame(t, pit, gfx::rgb(120, 40, 30));
  hline(t, 2, 29, 0, gfx::rgb(160, 60, 40));
  const Color steel = gfx::rgb(206, 210, 224), lit = kWhite, dim = gfx::rgb(110, 114, 132);
  for (int i = 0; i < 4; ++i) {
    int left = 5 + i * 6, tip = 4 + (i % 2) * 3;
    polygon(t, {{left, 20}, {left + 3, tip}, {left + 6, 20}}, steel);
    line(t, left + 3, tip + 1, left + 1, 19, lit);
    line(t, left + 4, tip + 3, left + 5, 19, dim);
  }
  hline(t, 4, 27, 20, gfx::rgb(120, 40, 30));
}

void tSpring(Surface& t) {
  basin(t, Rect{2, 12, 30, 30}, gfx::rgb(96, 206, 200), gfx::rgb(190, 250, 240), gfx::rgb(150, 110, 80));
  // Rocks along the rim.
  for (int i = 0; i < 4; ++i) {
    Rect rock = Rect::xywh(1 + i * 8, 8 + (i % 2), 7, 5);
    ellipse(t, rock, gfx::rgb(150, 118, 96));
    t.setPixel(rock.left + 2, rock.top + 1, gfx::rgb(210, 180, 150));
  }
  // Steam: three wavy lines rising from the water.
  for (int k = 0; k < 3; ++k) {
    int x = 8 + k * 8;
    for (int y = 0; y < 9; ++y) {
      int dx = (y / 2) % 2 == 0 ? 0 : 1;
      t.setPixel(x + dx, y, kWhite);
      t.setPixel(x + dx + 1, y, gfx::rgb(220, 226, 236));
    }
  }
  hline(t, 8, 12, 18, gfx::rgb(190, 250, 240));
  hline(t, 18, 23, 22, gfx::rgb(190, 250, 240));
}

// An arrow with its head at (x, y) pointing left (dir -1) or right (+1).
void sideArrow(Surface& t, int x, int y, int dir, int len, int thick) {
  Color c = gfx::rgb(255, 226, 60);
  int head = thick + 2;
  polygon(t, {{x, y}, {x - dir * head, y - head}, {x - dir * head, y + head + 1}}, c);
  int tail = x - dir * len;
  fill(t,
       Rect{std::min(x - dir * head, tail), y - thick / 2, std::max(x - dir * head, tail) + 1, y - thick / 2 + thick},
       c);
}

void tSplit(Surface& t, int bias) {
  ellipse(t, Rect{9, 4, 23, 30}, kInk);
  ellipse(t, Rect{10, 6, 22, 29}, HOLE);
  // Arrows telling which way the fall goes; the heavier side gets the bigger arrow.
  Surface arrows(32, 32, M);
  int left = bias < 0 ? 4 : bias > 0 ? 1 : 3, right = bias > 0 ? 4 : bias < 0 ? 1 : 3;
  sideArrow(arrows, bias > 0 ? 4 : 1, 16, -1, bias > 0 ? 4 : 8, left);
  sideArrow(arrows, bias < 0 ? 27 : 30, 16, 1, bias < 0 ? 4 : 8, right);
  outline(arrows, arrows.bounds(), M, kInk, true);
  stamp(t, 0, 0, arrows);
}

// --- ordinary tiles (magenta = the sky) -----------------------------------------------------------

void bricks(Surface& t, Rect r, Color brick, Color mortar, Color light) {
  fill(t, r, mortar);
  for (int y = r.top; y < r.bottom; y += 8) {
    int off = ((y - r.top) / 8) % 2 ? 8 : 0;
    for (int x = r.left - off; x < r.right; x += 16) {
      Rect b = Rect{x + 1, y + 1, x + 16, y + 8}.intersect(r);
      fill(t, b, brick);
      hline(t, b.left, b.right - 1, b.top, light);
    }
  }
}

void tWall(Surface& t) {
  bricks(t, Rect{0, 0, 32, 32}, gfx::rgb(176, 100, 70), gfx::rgb(84, 52, 44), gfx::rgb(214, 140, 104));
}

void tStart(Surface& t) {
  vline(t, 4, 3, 31, kWoodDark);
  vline(t, 5, 3, 31, kWood);
  fill(t, Rect{6, 4, 31, 15}, gfx::rgb(40, 170, 70));
  frame(t, Rect{6, 4, 31, 15}, kInk);
  pixelText(t, 9, 7, "START", kWhite);
  disc2(t, 9, 5, 3, kGold);
  // Chequered start line on the ground.
  for (int x = 6; x < 32; x += 2) {
    t.setPixel(x, 29, kInk);
    t.setPixel(x + 1, 30, kInk);
    t.setPixel(x + 1, 29, kWhite);
    t.setPixel(x, 30, kWhite);
  }
}

// Eyes peering out of the grass: what lurks there.
void lurkingEyes(Surface& t, int x, int y, Color eye) {
  for (int dx : {0, 6}) {
    fill(t, Rect::xywh(x + dx - 1, y - 1, 4, 4), kInk);
    fill(t, Rect::xywh(x + dx, y, 2, 2), eye);
    t.setPixel(x + dx + 1, y + 1, kInk);
  }
}

// A thick clump of long grass, ringed in ink so it stands out on any wall, with a pair of yellow
// eyes in it: weak monsters turn up here now and then.
void tGrass1(Surface& t) {
  for (int i = 0; i < 9; ++i) {
    int x = 4 + i * 3, h = 12 + (i * 5) % 7, lean = (i - 4) / 2;
    line(t, x, 31, x + lean, 31 - h, i % 2 ? kGrassDark : kGrass);
    line(t, x + 1, 31, x + 1 + lean, 32 - h, i % 3 ? kGrass : kGrassLight);
  }
  fill(t, Rect{4, 24, 29, 32}, kGrassDark);
  dither(t, Rect{4, 21, 29, 25}, kGrassDark, kGrass, 8);
  outline(t, t.bounds(), M, kInk);
  lurkingEyes(t, 11, 25, gfx::rgb(250, 230, 80));
}

// Tall grass from edge to edge with red eyes in it: monsters are likely here.
void tGrass2(Surface& t) {
  for (int i = 0; i < 11; ++i) {
    int x = 1 + i * 3;
    int h = 14 + (i * 7) % 10;
    line(t, x, 31, x - 1, 31 - h, kGrassDark);
    line(t, x + 1, 31, x + 2, 31 - h - 2, i % 2 ? kGrass : kGrassLight);
  }
  fill(t, Rect{0, 27, 32, 32}, kGrassDark);
  dither(t, Rect{0, 25, 32, 28}, kGrassDark, kGrass, 8);
  lurkingEyes(t, 12, 22, gfx::rgb(250, 70, 50));
}

void tFountain(Surface& t) {
  fill(t, Rect{14, 5, 18, 22}, kStone);
  vline(t, 14, 5, 21, kStoneLight);
  vline(t, 17, 5, 21, kStoneDark);
  fill(t, Rect{11, 9, 21, 11}, kStoneDark);
  hline(t, 11, 20, 9, kStone);
  Rect bowl{2, 21, 30, 31};
  fill(t, bowl, kStone);
  fill(t, Rect{4, 21, 28, 24}, kWater);
  hline(t, 5, 26, 21, kWaterLight);
  frame(t, bowl, kStoneDark);
  hline(t, 3, 28, 25, kStoneLight);
  for (int x = 6; x < 28; x += 7) vline(t, x, 26, 29, kStoneDark);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
  // The spray goes on after the outline: water has no hard edge.
  for (int side = -1; side <= 1; side += 2)
    for (int i = 0; i < 12; ++i) {
      int x = 16 + side * (i + 1) - (side < 0 ? 1 : 0), y = 3 + (i * i) / 9;
      t.setPixel(x, y, kWhite);
      t.setPixel(x, y + 1, kWaterLight);
      t.setPixel(x, y + 2, kWater);
    }
  fill(t, Rect{14, 1, 18, 5}, kWaterLight);
  hline(t, 15, 16, 0, kWhite);
  for (int x : {5, 9, 22, 26}) t.setPixel(x, 19 - (x % 3), kWaterLight);  // drops
}

void tree(Surface& t, int r, Color leaf, Color dark, Color light, Color trunk) {
  int trunkW = r > 10 ? 6 : 4;
  fill(t, Rect{16 - trunkW / 2, 32 - 12, 16 + trunkW / 2, 32}, trunk);
  vline(t, 16 - trunkW / 2, 20, 31, shade(trunk, -80));
  int cy = 30 - 8 - r;
  disc2(t, 32, cy * 2, r * 2, dark);
  disc2(t, 32 - 2, cy * 2 - 2, r * 2 - 2, leaf);
  disc2(t, 32 - r, cy * 2 - r, r / 2 * 2, light);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tTree1(Surface& t) { tree(t, 8, kGrass, kGrassDark, kGrassLight, kWood); }

void tTree2(Surface& t) {
  Color leaf = gfx::rgb(30, 96, 52), dark = gfx::rgb(16, 52, 34), light = gfx::rgb(64, 140, 70);
  fill(t, Rect{12, 20, 20, 32}, kWoodDark);
  vline(t, 12, 20, 31, gfx::rgb(60, 36, 20));
  // Three overlapping crowns make a big, heavy tree.
  for (auto [cx, cy, r] : {std::tuple{16, 13, 12}, {9, 15, 7}, {23, 15, 7}}) disc2(t, cx * 2, cy * 2, r * 2, dark);
  disc2(t, 30, 24, 20, leaf);
  disc2(t, 16, 28, 10, leaf);
  disc2(t, 46, 28, 10, leaf);
  disc2(t, 24, 16, 8, light);
  disc2(t, 14, 26, 4, light);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tKid(Surface& t) {
  // A young monk with a shaved head, in an orange robe.
  Color robe = gfx::rgb(236, 128, 36), robeDark = gfx::rgb(176, 80, 20);
  polygon(t, {{9, 31}, {12, 17}, {20, 17}, {23, 31}}, robe);
  line(t, 12, 18, 19, 27, robeDark);
  fill(t, Rect{9, 20, 12, 24}, kSkin);  // hands together
  fill(t, Rect{20, 20, 23, 24}, kSkin);
  disc2(t, 32, 22, 14, kSkin);
  disc2(t, 28, 16, 4, gfx::rgb(255, 232, 206));
  fill(t, Rect{12, 11, 14, 13}, kInk);
  fill(t, Rect{18, 11, 20, 13}, kInk);
  hline(t, 14, 17, 15, gfx::rgb(200, 90, 80));
  t.setPixel(11, 14, gfx::rgb(250, 150, 140));
  t.setPixel(20, 14, gfx::rgb(250, 150, 140));
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void pillar(Surface& t, Color body, Color dark, Color light) {
  fill(t, Rect{6, 1, 26, 5}, body);
  fill(t, Rect{9, 5, 23, 27}, body);
  fill(t, Rect{5, 27, 27, 32}, body);
  for (int x = 11; x < 22; x += 3) vline(t, x, 6, 26, dark);
  vline(t, 9, 5, 26, light);
  hline(t, 6, 25, 1, light);
  hline(t, 6, 25, 4, dark);
  hline(t, 5, 26, 27, light);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tPillar1(Surface& t) { pillar(t, kStone, kStoneDark, kStoneLight); }

void tPillar2(Surface& t) {
  pillar(t, gfx::rgb(92, 82, 110), gfx::rgb(52, 44, 70), gfx::rgb(140, 126, 160));
  // A jagged crack with an evil glow seeping out.
  Color glow = gfx::rgb(220, 60, 255);
  line(t, 17, 5, 14, 11, kInk);
  line(t, 14, 11, 18, 17, kInk);
  line(t, 18, 17, 15, 26, kInk);
  t.setPixel(15, 10, glow);
  t.setPixel(17, 16, glow);
  t.setPixel(16, 22, glow);
  // Two eyes staring out of the stone.
  fill(t, Rect{11, 8, 13, 10}, gfx::rgb(255, 60, 60));
  fill(t, Rect{19, 8, 21, 10}, gfx::rgb(255, 60, 60));
  dither(t, Rect{5, 28, 27, 31}, gfx::rgb(52, 44, 70), gfx::rgb(60, 130, 60), 6);
}

void tBalance(Surface& t) {
  fill(t, Rect{9, 28, 23, 31}, kGoldDark);
  fill(t, Rect{11, 26, 21, 28}, kGold);
  fill(t, Rect{15, 5, 17, 27}, kGold);
  disc2(t, 32, 8, 4, kGold);
  fill(t, Rect{2, 7, 30, 9}, kGold);
  hline(t, 2, 29, 8, kGoldDark);
  for (int side = 0; side < 2; ++side) {
    int cx = side ? 26 : 6;
    line(t, cx, 9, cx - 4, 18, kGoldDark);
    line(t, cx, 9, cx + 4, 18, kGoldDark);
    polygon(t, {{cx - 6, 18}, {cx + 6, 18}, {cx + 4, 22}, {cx - 4, 22}}, kGold);
    hline(t, cx - 5, cx + 4, 18, gfx::rgb(255, 240, 140));
  }
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

// A wooden signboard on a post with an arrow on its face.
void signboard(Surface& t, int dir) {
  fill(t, Rect{14, 20, 18, 32}, kWoodDark);
  vline(t, 14, 20, 31, kWood);
  Rect board{2, 3, 30, 21};
  fill(t, board, kWoodLight);
  hline(t, 3, 28, 9, kWood);
  hline(t, 3, 28, 15, kWood);
  frame(t, board, kWoodDark);
  Color red = gfx::rgb(200, 30, 30);
  if (dir == 0) {  // up
    polygon(t, {{16, 4}, {24, 12}, {8, 12}}, red);
    fill(t, Rect{13, 12, 19, 20}, red);
  } else {
    int tip = dir > 0 ? 28 : 3;
    polygon(t, {{tip, 12}, {tip - dir * 9, 4}, {tip - dir * 9, 20}}, red);
    int a = tip - dir * 9, b = tip - dir * 24;
    fill(t, Rect{std::min(a, b), 9, std::max(a, b) + 1, 15}, red);
  }
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

// A shop: a roof, a wall, and a big sign plate with the shop's kanji.
void shop(Surface& t, Color roof, Color roofDark, Color wall, const std::string& kanji, Color signBg, Color signFg) {
  fill(t, Rect{3, 9, 29, 32}, wall);
  polygon(t, {{0, 10}, {6, 1}, {26, 1}, {32, 10}}, roof);
  hline(t, 0, 31, 9, roofDark);
  hline(t, 6, 25, 1, shade(roof, 80));
  for (int x = 7; x < 26; x += 4) line(t, x, 2, x - 2, 8, roofDark);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
  plate(t, Rect{7, 11, 25, 29}, signBg, kInk, kanji, signFg, 15);
  hline(t, 3, 28, 31, shade(wall, -70));
}

void tInn(Surface& t) {
  shop(t, gfx::rgb(196, 60, 40), gfx::rgb(120, 30, 24), gfx::rgb(236, 220, 190), "宿", kWhite, gfx::rgb(180, 20, 20));
}
void tDojo(Surface& t) {
  shop(t, gfx::rgb(84, 92, 110), gfx::rgb(44, 48, 64), gfx::rgb(210, 180, 130), "道", kWoodLight, kInk);
}
void tHerb(Surface& t) {
  shop(t, gfx::rgb(60, 160, 70), gfx::rgb(28, 96, 40), gfx::rgb(236, 226, 196), "薬", kWhite, gfx::rgb(20, 120, 40));
}
void tStore(Surface& t) {
  shop(t, gfx::rgb(50, 110, 210), gfx::rgb(24, 56, 130), gfx::rgb(236, 226, 196), "色", gfx::rgb(255, 236, 120),
       gfx::rgb(30, 50, 150));
}
void tDarkDojo(Surface& t) {
  shop(t, gfx::rgb(84, 30, 110), gfx::rgb(44, 12, 64), gfx::rgb(70, 50, 86), "闇", gfx::rgb(30, 10, 44),
       gfx::rgb(220, 120, 255));
}

void tGame(Surface& t) {
  Color body = gfx::rgb(40, 30, 80);
  fill(t, Rect{2, 7, 30, 32}, body);
  // A marquee with lights, lettered GAME.
  fill(t, Rect{0, 1, 32, 9}, gfx::rgb(230, 40, 140));
  pixelText(t, 9, 3, "GAME", gfx::rgb(255, 250, 120));
  for (int x = 1; x < 32; x += 3) t.setPixel(x, 1, gfx::rgb(255, 250, 120));
  for (int x = 1; x < 32; x += 3) t.setPixel(x, 8, gfx::rgb(255, 250, 120));
  plate(t, Rect{7, 11, 25, 29}, gfx::rgb(20, 200, 230), kInk, "ゲ", gfx::rgb(20, 20, 60), 15);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tStop(Surface& t) {
  fill(t, Rect{14, 22, 18, 32}, kStoneDark);
  vline(t, 14, 22, 31, kStoneLight);
  polygon(t, {{0, 1}, {32, 1}, {16, 27}}, kWhite);
  polygon(t, {{3, 3}, {29, 3}, {16, 24}}, gfx::rgb(220, 20, 30));
  TextStyle st;
  // Only the first kanji of the sign's word fits at this size; it is the one everybody reads.
  st.face = Face::Heavy;
  st.px = 14;
  st.top = st.bottom = kWhite;
  drawTextCentered(t, Rect{8, 3, 24, 17}, "止", st);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tToll(Surface& t) {
  // A booth on the left, a striped barrier across the way.
  fill(t, Rect{1, 8, 12, 32}, gfx::rgb(236, 226, 196));
  fill(t, Rect{0, 5, 13, 9}, gfx::rgb(50, 110, 210));
  fill(t, Rect{3, 11, 10, 18}, gfx::rgb(140, 200, 250));
  fill(t, Rect{5, 22, 9, 32}, kWoodDark);
  for (int x = 12; x < 32; ++x) {
    Color c = ((x - 12) / 4) % 2 ? kWhite : gfx::rgb(220, 30, 30);
    vline(t, x, 17, 20, c);
  }
  fill(t, Rect{12, 16, 15, 32}, kStoneDark);
  disc2(t, 28, 56, 6, kGold);  // a coin on the counter
  t.setPixel(13, 27, gfx::rgb(255, 250, 190));
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tGather(Surface& t) {
  vline(t, 5, 2, 31, kWoodDark);
  vline(t, 6, 2, 31, kWood);
  disc2(t, 11, 3, 3, kGold);
  Rect flag{7, 3, 30, 22};
  fill(t, flag, gfx::rgb(255, 200, 40));
  for (int y = flag.top; y < flag.bottom; ++y) t.setPixel(29 - (y % 4 == 0 ? 1 : 0), y, M);
  TextStyle st;
  st.face = Face::Bold;
  st.px = 17;
  st.top = st.bottom = gfx::rgb(190, 20, 20);
  drawTextCentered(t, Rect{8, 4, 29, 21}, "集", st);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tReset(Surface& t) {
  Color c = gfx::rgb(40, 200, 240);
  Surface a(32, 32, M);
  ring2(a, 32, 32, 24, c, 3);
  // Two gaps, each closed by an arrowhead, make the circle read as "round again".
  fill(a, Rect{14, 2, 20, 9}, M);
  fill(a, Rect{12, 23, 18, 30}, M);
  polygon(a, {{14, 0}, {14, 11}, {8, 5}}, c);
  polygon(a, {{18, 21}, {18, 32}, {24, 26}}, c);
  outline(a, a.bounds(), M, kInk);
  stamp(t, 0, 0, a);
}

void tImp(Surface& t) {
  // Green, so it is never taken for one of the purple bosses.
  Color skin = gfx::rgb(60, 160, 110), dark = gfx::rgb(24, 96, 64);
  polygon(t, {{5, 12}, {2, 1}, {12, 7}}, dark);
  polygon(t, {{27, 12}, {30, 1}, {20, 7}}, dark);
  ellipse(t, Rect{3, 5, 29, 31}, skin);
  ellipse(t, Rect{6, 7, 18, 15}, shade(skin, 40));
  // Slanted yellow eyes and a wide toothy grin.
  polygon(t, {{7, 12}, {14, 15}, {13, 18}, {8, 16}}, gfx::rgb(255, 230, 40));
  polygon(t, {{25, 12}, {18, 15}, {19, 18}, {24, 16}}, gfx::rgb(255, 230, 40));
  t.setPixel(11, 16, kInk);
  t.setPixel(20, 16, kInk);
  polygon(t, {{7, 21}, {25, 21}, {21, 27}, {11, 27}}, gfx::rgb(60, 10, 30));
  for (int x = 9; x < 24; x += 3) polygon(t, {{x, 21}, {x + 3, 21}, {x + 1, 24}}, kWhite);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tGod(Surface& t) {
  // A mysterious old man: bald crown, white brows and a long beard, a staff with a crook.
  Color robe = gfx::rgb(120, 70, 150);
  vline(t, 27, 6, 31, kWoodDark);
  vline(t, 28, 6, 31, kWood);
  ring2(t, 53, 10, 6, kWood, 1);
  polygon(t, {{5, 31}, {9, 18}, {23, 18}, {27, 31}}, robe);
  disc2(t, 30, 18, 16, kSkin);
  disc2(t, 26, 12, 4, gfx::rgb(255, 236, 214));
  fill(t, Rect{9, 9, 14, 11}, kWhite);
  fill(t, Rect{17, 9, 22, 11}, kWhite);
  t.setPixel(11, 12, kInk);
  t.setPixel(19, 12, kInk);
  polygon(t, {{8, 14}, {23, 14}, {19, 29}, {15, 31}, {12, 29}}, kWhite);
  hline(t, 13, 18, 15, gfx::rgb(200, 120, 110));
  fill(t, Rect{25, 21, 29, 24}, kSkin);
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void ladder(Surface& t, bool foot) {
  for (int x : {7, 22}) {
    fill(t, Rect{x, 0, x + 3, 32}, kWood);
    vline(t, x, 0, 31, kWoodLight);
    vline(t, x + 2, 0, 31, kWoodDark);
  }
  for (int y = 3; y < 32; y += 7) {
    fill(t, Rect{10, y, 22, y + 2}, kWood);
    hline(t, 10, 21, y, kWoodLight);
  }
  if (foot) {
    fill(t, Rect{5, 29, 12, 32}, kStone);
    fill(t, Rect{20, 29, 27, 32}, kStone);
  }
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tChest(Surface& t) {
  Color body = gfx::rgb(176, 92, 40), dark = gfx::rgb(110, 52, 24);
  fill(t, Rect{3, 15, 29, 30}, body);
  polygon(t, {{3, 15}, {5, 9}, {10, 7}, {22, 7}, {27, 9}, {29, 15}}, shade(body, 30));
  hline(t, 3, 28, 15, dark);
  for (int x : {6, 24}) fill(t, Rect{x, 8, x + 3, 30}, kGold);
  hline(t, 3, 28, 28, kGoldDark);
  fill(t, Rect{13, 13, 19, 20}, kGold);
  fill(t, Rect{15, 16, 17, 18}, kInk);
  t.setPixel(14, 14, gfx::rgb(255, 250, 200));
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
  // Sparkle.
  t.setPixel(27, 3, kWhite);
  hline(t, 26, 28, 4, kWhite);
  t.setPixel(27, 5, kWhite);
}

// The boss family: one round creature that grows a tail, then horns, turns red, and is crowned.
void boss(Surface& t, int stage) {
  // The same colours as the creature's portraits: purple, then red from the fourth form on.
  Color body = stage >= 4 ? gfx::rgb(224, 72, 56) : gfx::rgb(154, 90, 216);
  Color dark = stage >= 4 ? gfx::rgb(168, 32, 40) : gfx::rgb(106, 54, 168), light = shade(body, 90);
  Color belly = gfx::rgb(255, 232, 184);
  Color mouth = gfx::rgb(144, 24, 48);
  int size = stage == 1 ? 9 : 11;  // half-width of the head
  int cy = stage == 1 ? 19 : 18;
  if (stage >= 2) {  // tail curling up on the right
    thickLine(t, 22, 27, 29, 22, 3, dark);
    thickLine(t, 29, 22, 29, 15, 3, dark);
    polygon(t, {{26, 15}, {30, 9}, {32, 16}}, light);
  }
  if (stage >= 3) {  // horns
    polygon(t, {{7, cy - 6}, {3, cy - 15}, {11, cy - 9}}, belly);
    polygon(t, {{25, cy - 6}, {29, cy - 15}, {21, cy - 9}}, belly);
  }
  ellipse(t, Rect{16 - size, cy - size, 16 + size, cy + size + 2}, body);
  ellipse(t, Rect{16 - size / 2, cy, 16 + size / 2, cy + size + 2}, belly);
  disc2(t, 32 - size, (cy - size / 2) * 2, size / 2 * 2, light);
  // Eyes: big and round for the little one, narrow and fierce later.
  if (stage == 1) {
    fill(t, Rect{10, cy - 4, 14, cy + 1}, kWhite);
    fill(t, Rect{18, cy - 4, 22, cy + 1}, kWhite);
    fill(t, Rect{12, cy - 3, 14, cy + 1}, kInk);
    fill(t, Rect{18, cy - 3, 20, cy + 1}, kInk);
    fill(t, Rect{14, cy + 3, 18, cy + 5}, mouth);
    t.setPixel(15, cy + 3, kWhite);
    fill(t, Rect{8, cy + 1, 10, cy + 3}, gfx::rgb(250, 150, 170));  // blush
    fill(t, Rect{22, cy + 1, 24, cy + 3}, gfx::rgb(250, 150, 170));
  } else {
    Color eye = stage >= 4 ? gfx::rgb(255, 240, 60) : kWhite;
    polygon(t, {{8, cy - 5}, {14, cy - 2}, {14, cy + 1}, {9, cy}}, eye);
    polygon(t, {{24, cy - 5}, {18, cy - 2}, {18, cy + 1}, {23, cy}}, eye);
    fill(t, Rect{12, cy - 2, 14, cy + 1}, kInk);
    fill(t, Rect{18, cy - 2, 20, cy + 1}, kInk);
    // Brows drawn down, and a wide mouth full of teeth.
    line(t, 8, cy - 6, 13, cy - 4, kInk);
    line(t, 23, cy - 6, 18, cy - 4, kInk);
    fill(t, Rect{10, cy + 4, 22, cy + 8}, mouth);
    for (int x = 11; x < 21; x += 2) t.setPixel(x, cy + 4, kWhite), t.setPixel(x, cy + 7, kWhite);
  }
  if (stage == 5) {  // the crown
    polygon(t, {{8, 9}, {8, 2}, {12, 6}, {16, 0}, {20, 6}, {24, 2}, {24, 9}}, kGold);
    hline(t, 8, 23, 8, kGoldDark);
    t.setPixel(16, 4, gfx::rgb(230, 30, 60));
  }
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
}

void tGoal(Surface& t) {
  Color red = gfx::rgb(220, 30, 40);
  for (int x : {2, 27}) {
    fill(t, Rect{x, 4, x + 3, 32}, red);
    vline(t, x, 4, 31, gfx::rgb(255, 110, 100));
  }
  fill(t, Rect{0, 1, 32, 5}, kInk);
  hline(t, 0, 31, 2, red);
  Rect banner{4, 7, 28, 16};
  fill(t, banner, kWhite);
  frame(t, banner, kInk);
  pixelText(t, 9, 9, "GOAL", red);
  // A chequered finishing tape.
  for (int x = 5; x < 27; ++x) {
    t.setPixel(x, 20, (x / 2) % 2 ? kInk : kWhite);
    t.setPixel(x, 21, (x / 2) % 2 ? kWhite : kInk);
  }
  outline(t, Rect{0, 0, 32, 32}, M, kInk);
  disc2(t, 32, 52, 4, kGold);
}

using TileFn = std::function<void(Surface&)>;

const std::map<std::string, TileFn>& tiles() {
  static const std::map<std::string, TileFn> t = {
      {"00", [](Surface&) {}},
      {"01", tWall},
      {"02", tStart},
      {"10", [](Surface& s) { crack(s, 1); }},
      {"11", [](Surface& s) { crack(s, 3); }},
      {"12", [](Surface& s) { crack(s, 7); }},
      {"20", tPond},
      {"21", tTrap},
      {"22", tSpring},
      {"30", [](Surface& s) { tSplit(s, 0); }},
      {"31", [](Surface& s) { tSplit(s, -1); }},
      {"32", [](Surface& s) { tSplit(s, 1); }},
      {"40", tGrass1},
      {"41", tGrass2},
      {"42", tFountain},
      {"50", tTree1},
      {"51", tTree2},
      {"52", tKid},
      {"60", tPillar1},
      {"61", tPillar2},
      {"62", tBalance},
      {"70", [](Surface& s) { signboard(s, 1); }},
      {"71", [](Surface& s) { signboard(s, -1); }},
      {"72", [](Surface& s) { signboard(s, 0); }},
      {"80", tInn},
      {"81", tDojo},
      {"82", tHerb},
      {"90", tStore},
      {"91", tDarkDojo},
      {"92", tGame},
      {"A0", tStop},
      {"A1", tToll},
      {"A2", tGather},
      {"B0", tReset},
      {"B1", tImp},
      {"B2", tGod},
      {"C0", [](Surface& s) { ladder(s, true); }},
      {"C1", [](Surface& s) { ladder(s, false); }},
      {"C2", tChest},
      {"D0", [](Surface& s) { boss(s, 1); }},
      {"D1", [](Surface& s) { boss(s, 2); }},
      {"D2", [](Surface& s) { boss(s, 3); }},
      {"E0", [](Surface& s) { boss(s, 4); }},
      {"E1", [](Surface& s) { boss(s, 5); }},
      {"E2", tGoal},
  };
  return t;
}

bool seeThrough(const std::string& code) {
  return code[0] >= '1' && code[0] <= '3' && code[1] >= '0' && code[1] <= '2';
}

const Register sheet("PicMap.png", 481, 96, [](Surface& s, const Context&) {
  fill(s, s.bounds(), M);
  for (auto& [code, draw] : tiles()) {
    Surface t = tile();
    draw(t);
    // Red means "sky" only in the see-through tiles; elsewhere keep it from reading as a hole.
    if (!seeThrough(code)) replaceColor(t, t.bounds(), HOLE, gfx::rgb(254, 0, 0));
    int X = code[0] <= '9' ? code[0] - '0' : code[0] - 'A' + 10;
    int Y = code[1] - '0';
    stamp(s, X * 32, Y * 32, t, gfx::kInvalidColor);
  }
  // The big crack's middle is the sheet's hole-colour sample.
  s.setPixel(48, 79, HOLE);
});

// The window icon: the crowned king of the board.
const Register icon("Icon.png", 32, 32, [](Surface& s, const Context&) { boss(s, 5); });

// --- PicMapSky --------------------------------------------------------------------------------------

// Sky per board row, top to bottom: open blue sky down to a dark cave.
const Color kSkyTop[10] = {gfx::rgb(96, 170, 250),  gfx::rgb(126, 190, 250), gfx::rgb(110, 150, 206),
                           gfx::rgb(120, 150, 190), gfx::rgb(84, 104, 140),  gfx::rgb(78, 92, 120),
                           gfx::rgb(62, 66, 88),    gfx::rgb(56, 58, 76),    gfx::rgb(42, 42, 54),
                           gfx::rgb(36, 36, 44)};

void skyRow(Surface& s, int r) {
  Color a = kSkyTop[r], b = r < 9 ? kSkyTop[r + 1] : shade(kSkyTop[r], -60);
  int y0 = r * 32;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) s.setPixel(x, y0 + y, avoidKeys(ditherOn(x, y, y / 2) ? b : a));
  if (r == 0) {  // a wisp of cloud in the open air
    Color cloud = gfx::rgb(240, 246, 255);
    int cy = 9;
    ellipse(s, Rect{4, y0 + cy, 18, y0 + cy + 5}, cloud);
    ellipse(s, Rect{9, y0 + cy - 3, 17, y0 + cy + 3}, cloud);
  } else if (r >= 4) {  // specks of rock in the dark
    Color speck = shade(a, 30);
    for (int i = 0; i < 4; ++i) s.setPixel((i * 11 + r * 5) % 32, y0 + (i * 7 + r * 3) % 32, speck);
  }
}

// A wall texture per pair of rows: grassy earth for rows 0-1 and 4-5, stone for the others.
void wallRow(Surface& s, int r) {
  int y0 = r * 32;
  Rect cell = Rect::xywh(32, y0, 32, 32);
  int pair = r / 2;
  if (pair == 0 || pair == 2) {
    Color earth = pair == 0 ? gfx::rgb(150, 100, 56) : gfx::rgb(130, 86, 50);
    Color earthDark = shade(earth, -70), earthLight = shade(earth, 50);
    fill(s, cell, earth);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        int h = (x * 7 + y * 13 + r * 5) % 23;
        if (h == 0) s.setPixel(32 + x, y0 + y, earthDark);
        if (h == 11) s.setPixel(32 + x, y0 + y, earthLight);
      }
    // Pebbles.
    for (int i = 0; i < 3; ++i) {
      int px = 32 + (i * 11 + 4) % 28, py = y0 + 12 + (i * 7) % 16;
      fill(s, Rect::xywh(px, py, 3, 2), gfx::rgb(170, 160, 150));
      hline(s, px, px + 2, py + 2, earthDark);
    }
    // A grass top that hangs over the edge.
    fill(s, Rect{32, y0, 64, y0 + 5}, kGrass);
    hline(s, 32, 63, y0, kGrassLight);
    for (int x = 0; x < 32; ++x) {
      int drop = (x * 5) % 7 < 3 ? 2 : (x * 3) % 5 == 0 ? 3 : 0;
      vline(s, 32 + x, y0 + 5, y0 + 4 + drop, kGrassDark);
    }
  } else {
    Color stone = pair == 1 ? gfx::rgb(138, 132, 128) : pair == 3 ? gfx::rgb(112, 108, 116) : gfx::rgb(88, 84, 96);
    Color mortar = shade(stone, -110), light = shade(stone, 50), dark = shade(stone, -40);
    fill(s, cell, mortar);
    // Blocks of two courses of 16 px, offset by half a block; 32 wide so the rows tile.
    for (int course = 0; course < 2; ++course) {
      int off = course ? 8 : 0;
      for (int bx = -off; bx < 32; bx += 16) {
        Rect b = Rect{32 + bx + 1, y0 + course * 16 + 1, 32 + bx + 16, y0 + course * 16 + 16}.intersect(cell);
        fill(s, b, stone);
        hline(s, b.left, b.right - 1, b.top, light);
        vline(s, b.left, b.top, b.bottom - 1, light);
        hline(s, b.left, b.right - 1, b.bottom - 1, dark);
      }
    }
    for (int i = 0; i < 5; ++i) s.setPixel(32 + (i * 13 + r) % 32, y0 + (i * 9 + 5) % 32, dark);
  }
}

const Register sky("PicMapSky.png", 64, 320, [](Surface& s, const Context&) {
  for (int r = 0; r < 10; ++r) {
    skyRow(s, r);
    wallRow(s, r);
  }
  // Both halves are keyed with magenta by the board, so none may remain.
  replaceColor(s, s.bounds(), M, gfx::rgb(254, 0, 254));
});

}  // namespace
}  // namespace picgen
