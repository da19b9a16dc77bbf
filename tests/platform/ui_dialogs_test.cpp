#include <gtest/gtest.h>

#include <functional>

#include "support/temp_dir.h"
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

TEST_F(MsgBoxTest, TitleBarDragsTheBoxInsideTheWindow) {
  gfx::Rect before, after;
  int step = 0;
  hb->onIdle = [&] {
    ui::Window* box = ui::activeWindow();
    if (step == 0) {
      before = box->rect();
      hb->mouseDown(before.left + 20, before.top + 10);
      hb->mouseMove(before.left + 50, before.top + 30);
      hb->mouseUp(before.left + 50, before.top + 30);
    } else if (step == 1) {
      after = box->rect();
      hb->key(ui::kVkReturn);
    } else {
      ADD_FAILURE() << "still open";
      box->hide();
    }
    ++step;
  };
  EXPECT_EQ(ui::MsgBox("保存しました", ui::kMbOkOnly | ui::kMbInformation, "保存完了"), ui::kMbOk);
  hb->onIdle = nullptr;
  EXPECT_EQ(after, before.offset(30, 20));
}

TEST_F(MsgBoxTest, InputAfterTheAnswerGoesToTheWindowBelow) {
  std::vector<int> keys;
  win->KeyDown = [&](int& k, int) { keys.push_back(k); };
  int r = ask("保存しますか?", ui::kMbYesNo, "保存確認", [&] {
    hb->key('Y');
    hb->key('Z');  // queued behind the answer, in the same pump
  });
  EXPECT_EQ(r, ui::kMbYes);
  ui::DoEvents();
  EXPECT_EQ(keys, (std::vector<int>{'Z'}));
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

#include <filesystem>
#include <fstream>

#include "ui/file_dialog.h"
#include "ui/list_box.h"
#include "ui/text_box.h"

TEST(UiFileFilter, ParsesPairsSeparatedByNulOrSlash) {
  using P = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(ui::parseFileFilter("MAPﾌｧｲﾙ(*.map)/*.map/全てのﾌｧｲﾙ(*.*)/*.*"),
            (P{{"MAPﾌｧｲﾙ(*.map)", "*.map"}, {"全てのﾌｧｲﾙ(*.*)", "*.*"}}));
  EXPECT_EQ(ui::parseFileFilter(std::string("Text\0*.txt\0\0", 12)), (P{{"Text", "*.txt"}}));
  EXPECT_EQ(ui::parseFileFilter("Lonely"), (P{{"Lonely", "*.*"}}));
  EXPECT_EQ(ui::parseFileFilter("").size(), 1u);
}

class FileDialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    std::filesystem::create_directories(dir / "sub");
    for (const char* n : {"a.map", "b.MAP", "c.txt", "sub/d.map"}) std::ofstream(dir / n) << "x";
  }
  // Runs the dialog; each step runs when the toolkit next waits for the user.
  std::string run(bool save, std::string defaultFile, std::vector<std::function<void()>> steps, bool multi = false) {
    size_t at = 0;
    hb->onIdle = [&] {
      if (at < steps.size()) {
        steps[at++]();
        return;
      }
      ADD_FAILURE() << "the dialog is still open after every step";
      while (ui::activeWindow() != win.get()) ui::activeWindow()->hide();
    };
    ui::FileDialogOptions o;
    o.filter = "MAPﾌｧｲﾙ(*.map)/*.map/全てのﾌｧｲﾙ(*.*)/*.*";
    o.initialDir = dir.string();
    o.defaultFile = std::move(defaultFile);
    o.save = save;
    o.multiSelect = multi;
    std::string r = ui::showFileDialog(o);
    hb->onIdle = nullptr;
    return r;
  }
  template <class T>
  T* find(const std::string& name) {
    for (const auto& c : ui::activeWindow()->controls())
      if (c->name() == name) return dynamic_cast<T*>(c.get());
    return nullptr;
  }
  std::vector<std::string> listed() {
    std::vector<std::string> out;
    auto* l = find<ui::ListBox>("FileDialog.list");
    for (int i = 0; l && i < l->listCount(); ++i) out.push_back(l->list(i));
    return out;
  }
  // A point on line i of the dialog's list.
  std::pair<int, int> line(int i) {
    auto* l = find<ui::ListBox>("FileDialog.list");
    gfx::Rect r = l->frameRect();
    int h = gfx::Font::open(l->font())->height();
    return {r.left + 10, r.top + 2 + h * i + h / 2};
  }
  void doubleClick(std::pair<int, int> p) {
    hb->click(p.first, p.second);
    hb->click(p.first, p.second);
  }
  void type(const std::string& s) { hb->text(s); }
  testing_support::TempDir tmp_;
  std::filesystem::path dir = tmp_.path();
};

TEST_F(FileDialogTest, OpensByKeyboardMatchingNamesWithoutCase) {
  std::vector<std::string> seen;
  std::string r = run(false, "", {[&] {
                        seen = listed();
                        type("B.map");
                        hb->key(ui::kVkReturn);
                      }});
  EXPECT_EQ(seen, (std::vector<std::string>{"[sub]", "a.map", "b.MAP"}));
  EXPECT_EQ(r, (dir / "b.MAP").string());
}

TEST_F(FileDialogTest, OpensByMouseThroughAFolder) {
  std::string r = run(false, "",
                      {[&] { doubleClick(line(0)); },
                       [&] {
                         EXPECT_EQ(listed(), (std::vector<std::string>{"d.map"}));
                         doubleClick(line(0));
                       }});
  EXPECT_EQ(r, (dir / "sub" / "d.map").string());
}

TEST_F(FileDialogTest, ListKeysFolderUpFilterAndCancel) {
  std::string r = run(false, "",
                      {[&] {
                         hb->setShift(ui::kShiftMask);
                         hb->key(ui::kVkTab);  // back from the name box to the list
                         hb->setShift(0);
                         hb->key(ui::kVkDown);
                         hb->key(ui::kVkReturn);  // opens [sub]
                       },
                       [&] {
                         EXPECT_EQ(listed(), (std::vector<std::string>{"d.map"}));
                         hb->key(ui::kVkBack);  // the folder above
                       },
                       [&] {
                         auto* type = find<ui::CommandButton>("FileDialog.type");
                         gfx::Rect t = type->frameRect();
                         hb->click(t.left + 5, t.top + 5);  // next filter: every file
                       },
                       [&] {
                         EXPECT_EQ(listed(), (std::vector<std::string>{"[sub]", "a.map", "b.MAP", "c.txt"}));
                         hb->key(ui::kVkEscape);
                       }});
  EXPECT_EQ(r, "");
}

TEST_F(FileDialogTest, MissingFileIsRefusedAndTheDialogStays) {
  std::string r = run(false, "nothing.map",
                      {[&] { hb->key(ui::kVkReturn); },
                       [&] {
                         // The message box is up, over the dialog.
                         EXPECT_EQ(ui::activeWindow()->name(), "MsgBox");
                         hb->key(ui::kVkReturn);
                       },
                       [&] {
                         EXPECT_EQ(ui::activeWindow()->name(), "FileDialog");
                         auto* cancel = find<ui::CommandButton>("FileDialog.cancel");
                         gfx::Rect c = cancel->frameRect();
                         hb->click(c.left + 5, c.top + 5);
                       }});
  EXPECT_EQ(r, "");
}

TEST_F(FileDialogTest, SaveAddsTheExtensionAndAsksBeforeOverwriting) {
  EXPECT_EQ(run(true, "stage5", {[&] { hb->key(ui::kVkReturn); }}), (dir / "stage5.map").string());
  std::string r = run(true, "A",
                      {[&] { hb->key(ui::kVkReturn); },
                       [&] {
                         EXPECT_EQ(ui::activeWindow()->name(), "MsgBox");
                         hb->key('N');  // not over the old one
                       },
                       [&] {
                         EXPECT_EQ(ui::activeWindow()->name(), "FileDialog");
                         hb->key(ui::kVkReturn);
                       },
                       [&] { hb->key('Y'); }});
  EXPECT_EQ(r, (dir / "a.map").string());
  EXPECT_EQ(run(true, "bad|name",
                {[&] { hb->key(ui::kVkReturn); }, [&] { hb->key(ui::kVkReturn); }, [&] { hb->key(ui::kVkEscape); }}),
            "");
}

TEST_F(FileDialogTest, MultiSelectGivesTheFolderThenEachName) {
  auto pickTwo = [&] {
    hb->click(line(1).first, line(1).second);
    hb->setShift(ui::kCtrlMask);
    hb->click(line(2).first, line(2).second);
    hb->setShift(0);
    hb->key(ui::kVkReturn);
  };
  EXPECT_EQ(run(false, "", {pickTwo}, true), dir.string() + "\ta.map\tb.MAP");
  // Without the flag a Ctrl+click just picks the other file.
  EXPECT_EQ(run(false, "", {pickTwo}), (dir / "b.MAP").string());
  // Typed names match without case; one missing name refuses the lot.
  EXPECT_EQ(run(false, "\"B.map\" \"C.TXT\"", {[&] { hb->key(ui::kVkReturn); }}, true),
            dir.string() + "\tb.MAP\tc.txt");
  EXPECT_EQ(run(false, "\"a.map\" \"none.map\"",
                {[&] { hb->key(ui::kVkReturn); },
                 [&] {
                   EXPECT_EQ(ui::activeWindow()->name(), "MsgBox");
                   hb->key(ui::kVkReturn);
                 },
                 [&] { hb->key(ui::kVkEscape); }},
                true),
            "");
}

TEST_F(FileDialogTest, LongDefaultNameIsCutAtWholeCharacters) {
  std::string kana;
  for (int i = 0; i < 300; ++i) kana += "あ";
  std::string shown;
  run(false, kana, {[&] {
        shown = find<ui::TextBox>("FileDialog.name")->text();
        hb->key(ui::kVkEscape);
      }});
  EXPECT_EQ(shown, kana.substr(0, 250 * 3));
}
