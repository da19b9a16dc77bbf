#include "screens/staff_roll.h"

#include "data/game_data.h"
#include "presentation/main_form.h"
#include "system/bitmap.h"
#include "system/input.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "ui/keys.h"

const std::array<std::string_view, 53>& StaffLines() {
  static const std::array<std::string_view, 53> lines = {
      "STAFF ",
      "",
      "{1&A0F}{2&EFF}Character Design{0&}",
      "",
      "開発チーム 絵の担当",
      "",
      "{1&F00}{2&EFF}Monster Design{0&}",
      "",
      "開発チーム 絵の担当",
      "ドット絵の生成ツール",
      "開発チーム 配色の担当",
      "",
      "{1&A0F}{2&EFF}Opening Design{0&}",
      "",
      "開発チーム 画面の担当",
      "",
      "{1&AFF}{2&EFF}Music{0&}",
      "",
      "開発チーム 音楽の担当",
      "",
      "{1&0FF}{2&EFF}Sound Effect{0&}",
      "",
      "開発チーム 効果音の担当",
      "効果音の合成ツール",
      "",
      "{1&FF0}{2&F0F}Programming{0&}",
      "",
      "VorakTalmor 開発チーム",
      "",
      "{1&AFA}{2&AAF}Special Thanks{0&}",
      "",
      "SDL2",
      "FreeType",
      "fontconfig",
      "FluidSynth",
      "IPA フォント",
      "TimGM6mb サウンドフォント",
      "",
      "",
      "",
      "{1&A0A}{2&0F0}Total Produce{0&}",
      "",
      "VorakTalmor 開発チーム",
      "",
      "",
      "",
      "",
      "",
      "遊んでくれて ありがとう!",
      "",
      "",
      "",
      "",
  };
  return lines;
}

void Init31Staff(bool iSetup) {
  MainForm& f = frmMain();
  UcScroll& roll = f.UcSc2;
  const int32_t w = f.PicMap.width(), h = f.PicMap.height();
  roll.move(f.PicMap.left(), f.PicMap.top(), w / 2, h);
  roll.SetBackSize(w / 2, h);
  roll.SetBackColor(0, 0);
  roll.setVisible(true);
  roll.SetScrollSpeed(sys::Fixed::fromRaw(500));  // 0.05 s a pixel
  roll.zorder(0);
  if (iSetup) {
    roll.BackCls(0);
    roll.BackCls(2);
  }
  // The logo stands centred and is kept in the scrolled content, so the first lines push it up.
  const gfx::Surface& logo = frmPic().PicTitle.surface();
  gfx::Surface& view = roll.GetMainHdc();
  TransBlt(view, view, logo, 0, 0, logo.width(), logo.height(), (w / 2) / 2 - logo.width() / 2,
           h / 2 - logo.height() / 2, -1);
  roll.BackCopy(0, roll.height());
  roll.Refresh();
  if (iSetup) return;

  StopMusic();
  PlayMusic(Game().WavFolder + "Md-Staff.mid", 100);
  for (std::string_view line : StaffLines()) {
    const int32_t width = f.UCFt.GetTextWidth(line);
    f.UCFt.FontWrite(roll.GetBackHdc(0), line, roll.width() / 2 - width / 2, 0);
    roll.AddBlock(0, 27);
    if (GetEscape() == "ESCAPE") {
      // The key stays down a moment longer; its repeats must not count as a press that quits.
      f.LastKey = ui::kVkEscape;
      break;
    }
    roll.SetScrollSpeed(sys::Fixed::fromRaw(100));  // 0.01 s a pixel after the first line
  }
}
