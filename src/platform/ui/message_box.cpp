#include "ui/message_box.h"

#include <algorithm>
#include <vector>

#include "gfx/blit.h"
#include "gfx/text.h"
#include "ui/buttons.h"
#include "ui/dialog_frame.h"
#include "ui/label.h"
#include "ui/toolkit.h"

namespace ui {

namespace {

struct Choice {
  const char* caption;
  int result;
  int accelerator;  // a key that answers it at once, 0 for none
};

std::vector<Choice> choicesFor(int style) {
  switch (style & 7) {
    case kMbOkCancel: return {{"OK", kMbOk, 0}, {"キャンセル", kMbCancel, 0}};
    case kMbYesNoCancel: return {{"はい(Y)", kMbYes, 'Y'}, {"いいえ(N)", kMbNo, 'N'}, {"キャンセル", kMbCancel, 0}};
    case kMbYesNo: return {{"はい(Y)", kMbYes, 'Y'}, {"いいえ(N)", kMbNo, 'N'}};
    default: return {{"OK", kMbOk, 0}};
  }
}

// The answer of Escape; 0 when the box has none (Yes/No must be answered).
int escapeResult(int style) {
  switch (style & 7) {
    case kMbOkOnly: return kMbOk;
    case kMbOkCancel:
    case kMbYesNoCancel: return kMbCancel;
    default: return 0;
  }
}

void drawIcon(gfx::Surface& s, int x, int y, int kind) {
  gfx::Color body = kind == kMbCritical      ? gfx::rgb(200, 30, 30)
                    : kind == kMbExclamation ? gfx::rgb(250, 200, 0)
                                             : gfx::rgb(30, 90, 200);
  gfx::Color mark = kind == kMbExclamation ? gfx::kBlack : gfx::kWhite;
  if (kind == kMbExclamation) {
    for (int j = 0; j < 30; ++j) {
      int half = j / 2 + 1;
      gfx::fillRect(s, {x + 16 - half, y + 1 + j, x + 16 + half, y + 2 + j}, body);
    }
  } else {
    gfx::Region disc = gfx::Region::fromRoundRect(gfx::Rect::xywh(x, y, 32, 32), 32, 32);
    gfx::fillRegion(s, disc, body);
  }
  gfx::FontRequest f{"ＭＳ Ｐゴシック", 22, true};
  s.font = gfx::Font::open(f);
  s.textColor = mark;
  const char* glyph = kind == kMbCritical ? "×" : kind == kMbQuestion ? "?" : kind == kMbExclamation ? "!" : "i";
  gfx::drawText(s, glyph, gfx::Rect::xywh(x, y + (kind == kMbExclamation ? 6 : 2), 32, 30),
                gfx::kDtCenter | gfx::kDtVCenter | gfx::kDtSingleLine);
}

}  // namespace

int MsgBox(const std::string& text, int style, const std::string& title) {
  auto choices = choicesFor(style);
  int esc = escapeResult(style);
  if (!hasBackend()) return esc ? esc : kMbNo;

  auto font = gfx::Font::open(defaultControlFont());
  int icon = style & 0x70;
  bool hasIcon = icon == kMbCritical || icon == kMbQuestion || icon == kMbExclamation || icon == kMbInformation;
  int textX = hasIcon ? 12 + 32 + 12 : 16;
  gfx::Surface probe(1, 1);
  probe.font = font;
  gfx::Rect measure{0, 0, 440, 0};
  gfx::drawText(probe, text, measure, gfx::kDtWordBreak | gfx::kDtCalcRect);
  int textW = measure.width(), textH = std::max(measure.height(), font->height());
  int btnW = 84, btnH = 26, gap = 8;
  int buttonsW = static_cast<int>(choices.size()) * btnW + (static_cast<int>(choices.size()) - 1) * gap;
  std::string caption = title;
  if (caption.empty() && mainWindow()) caption = mainWindow()->caption();
  int titleW = font->extent(caption).cx + 40;
  int bodyTop = 3 + kTitleHeight + 14;
  int bodyH = std::max(textH, hasIcon ? 32 : 0);
  int w = std::max({textX + textW + 20, buttonsW + 32, titleW, 200});
  int h = bodyTop + bodyH + 16 + btnH + 14;

  DialogFrame dlg("MsgBox", caption, w, h);
  gfx::Surface& s = dlg.face().surface();
  if (hasIcon) drawIcon(s, 12, bodyTop + (bodyH - 32) / 2, icon);
  s.font = font;
  s.textColor = gfx::kBlack;
  gfx::drawText(s, text, gfx::Rect{textX, bodyTop + (bodyH - textH) / 2, textX + textW + 1, bodyTop + bodyH + 1},
                gfx::kDtWordBreak);
  dlg.face().refresh();

  int result = 0;
  Window& win = dlg.window();
  win.setCaption(caption);
  win.Tag = text;
  std::vector<CommandButton*> buttons;
  int bx = (w - buttonsW) / 2, by = h - 14 - btnH;
  for (size_t i = 0; i < choices.size(); ++i) {
    auto& b = win.add<CommandButton>(std::string("MsgBox.button") + std::to_string(i), &dlg.face());
    b.move(bx + static_cast<int>(i) * (btnW + gap), by, btnW, btnH);
    b.setCaption(choices[i].caption);
    int r = choices[i].result;
    b.Click = [&result, &win, r] {
      result = r;
      win.hide();
    };
    if (r == kMbCancel) win.cancelButton = &b;
    buttons.push_back(&b);
  }
  size_t first = (style & kMbDefaultButton3) ? 2 : (style & kMbDefaultButton2) ? 1 : 0;
  first = std::min(first, buttons.size() - 1);
  win.defaultButton = buttons[first];
  win.KeyPreview = true;
  win.KeyDown = [&](int& key, int) {
    for (size_t i = 0; i < choices.size(); ++i)
      if (choices[i].accelerator && key == choices[i].accelerator) {
        key = 0;
        buttons[i]->handleClick();
        return;
      }
    int at = -1;
    for (size_t i = 0; i < buttons.size(); ++i)
      if (buttons[i]->hasFocus()) at = static_cast<int>(i);
    int n = static_cast<int>(buttons.size());
    if (key == kVkLeft || key == kVkUp) {
      buttons[static_cast<size_t>((at - 1 + n) % n)]->setFocus();
      key = 0;
    } else if (key == kVkRight || key == kVkDown) {
      buttons[static_cast<size_t>((at + 1) % n)]->setFocus();
      key = 0;
    } else if (key == kVkEscape && esc) {
      key = 0;
      result = esc;
      win.hide();
    }
  };
  win.show();
  buttons[first]->setFocus();
  win.showModal();
  if (result == 0) result = esc ? esc : kMbNo;
  return result;
}

}  // namespace ui
