#include <gtest/gtest.h>

#include <functional>

#include "ui/buttons.h"
#include "ui/message_box.h"
#include "ui_fixture.h"

namespace {

// The buttons of the modal window on show, in order.
std::vector<ui::CommandButton*> dialogButtons() {
  std::vector<ui::CommandButton*> out;
  if (ui::Window* w = ui::activeWindow())
    for (const auto& c : w->controls())
      if (auto* b = dynamic_cast<ui::CommandButton*>(c.get())) out.push_back(b);
  return out;
}

}  // namespace

class MsgBoxTest : public UiTest {
 protected:
  // Runs `answer` once, the first time the box waits for the user.
  int ask(const std::string& text, int style, const std::string& title, std::function<void()> answer) {
    bool done = false;
    hb->onIdle = [&, answer] {
      if (done) {
        // The answer did not close the box: close it so that the test ends.
        ADD_FAILURE() << "the box is still open";
        ui::activeWindow()->hide();
        return;
      }
      done = true;
      answer();
    };
    int r = ui::MsgBox(text, style, title);
    hb->onIdle = nullptr;
    return r;
  }
};

TEST_F(MsgBoxTest, AnswersByKeyboard) {
  struct Case {
    int style;
    std::vector<int> keys;
    int result;
  } cases[] = {
      {ui::kMbOkOnly | ui::kMbInformation, {ui::kVkReturn}, ui::kMbOk},
      {ui::kMbOkOnly, {ui::kVkEscape}, ui::kMbOk},
      {ui::kMbYesNo, {ui::kVkReturn}, ui::kMbYes},
      {ui::kMbYesNo, {ui::kVkRight, ui::kVkReturn}, ui::kMbNo},
      {ui::kMbYesNo, {ui::kVkEscape, 'N'}, ui::kMbNo},  // Escape cannot dodge a Yes/No question
      {ui::kMbYesNo, {'Y'}, ui::kMbYes},
      {ui::kMbYesNo | ui::kMbDefaultButton2, {ui::kVkSpace}, ui::kMbNo},
      {ui::kMbOkCancel, {ui::kVkEscape}, ui::kMbCancel},
      {ui::kMbYesNoCancel, {ui::kVkTab, ui::kVkTab, ui::kVkReturn}, ui::kMbCancel},
  };
  for (const auto& c : cases) {
    int r = ask("削除してもよろしいですか?", c.style, "削除の確認", [&] {
      for (int k : c.keys) hb->key(k);
    });
    EXPECT_EQ(r, c.result) << "style " << c.style << " first key " << c.keys[0];
    EXPECT_EQ(ui::activeWindow(), win.get());
  }
}

TEST_F(MsgBoxTest, AnswersByMouseAndShowsInsideTheWindow) {
  auto& pic = win->add<ui::PictureBox>("Pic");
  pic.move(0, 0, 800, 600);
  pic.setBackColor(gfx::rgb(0, 80, 0));
  int behind = 0;
  pic.Click = [&] { ++behind; };
  gfx::Surface seen;
  int r = ask("ファイルがありません", ui::kMbYesNo | ui::kMbQuestion, "データファイルがありません", [&] {
    seen = composed();
    auto buttons = dialogButtons();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[1]->caption(), "いいえ(N)");
    gfx::Rect no = buttons[1]->frameRect();
    hb->click(5, 5);  // the main window is shut out
    hb->click(no.left + 5, no.top + 5);
  });
  EXPECT_EQ(r, ui::kMbNo);
  EXPECT_EQ(behind, 0);
  // Centred, with the title bar's dark blue at its left end and the green still around it.
  EXPECT_EQ(seen.pixel(5, 5), gfx::rgb(0, 80, 0));
  int darkBlue = 0, textPixels = 0;
  for (int y = 200; y < 400; ++y)
    for (int x = 200; x < 600; ++x) {
      gfx::Color c = seen.pixel(x, y);
      darkBlue += gfx::blue(c) >= 128 && gfx::red(c) < 40 && gfx::green(c) < 140;
      textPixels += c == gfx::kBlack;
    }
  EXPECT_GT(darkBlue, 500);
  EXPECT_GT(textPixels, 50);
  EXPECT_EQ(composed().pixel(400, 300), gfx::rgb(0, 80, 0)) << "gone once answered";
}

TEST_F(MsgBoxTest, NestsInsideAModalDialogAndWithoutBackendGivesTheSafeAnswer) {
  ui::Window dlg("frmLoad");
  dlg.move(200, 100, 400, 364);
  auto& save = dlg.add<ui::CommandButton>("cmdStart");
  save.move(10, 320, 130, 33);
  int answer = 0;
  save.Click = [&] {
    answer = ui::MsgBox("保存しますか?", ui::kMbYesNo, "保存確認");
    dlg.hide();
  };
  int step = 0;
  hb->onIdle = [&] {
    if (step == 0) hb->click(215, 425);
    if (step == 1) hb->key('Y');
    if (step > 1) {
      ADD_FAILURE() << "still waiting";
      ui::activeWindow()->hide();
    }
    ++step;
  };
  dlg.showModal();
  EXPECT_EQ(answer, ui::kMbYes);
  hb->onIdle = nullptr;
  ui::shutdown();
  EXPECT_EQ(ui::MsgBox("x", ui::kMbYesNo), ui::kMbNo);
  EXPECT_EQ(ui::MsgBox("x", ui::kMbOkCancel), ui::kMbCancel);
}
