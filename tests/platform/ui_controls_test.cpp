#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"
#include "ui/buttons.h"
#include "ui/image_control.h"
#include "ui/list_box.h"
#include "ui/text_box.h"
#include "ui_fixture.h"

TEST_F(UiTest, HiddenSortedListSortsLikeThePlatform) {
  auto& lst = win->add<ui::ListBox>("LstRank");
  lst.setVisible(false);
  lst.setSorted(true);
  for (const char* s : {"00000120_2", "00000090_0", "b", "A", "00000120_1", "a", "ゆうしゃ", "Ab"}) lst.addItem(s);
  std::vector<std::string> got;
  for (int i = 0; i < lst.listCount(); ++i) got.push_back(lst.list(i));
  EXPECT_EQ(got, (std::vector<std::string>{"00000090_0", "00000120_1", "00000120_2", "A", "a", "Ab", "b", "ゆうしゃ"}));
  lst.addItem("00000100_3", 0);  // a position is ignored by a sorted list
  EXPECT_EQ(lst.newIndex(), 1);
  EXPECT_EQ(lst.list(7), "b");
  lst.removeItem(0);
  EXPECT_EQ(lst.list(0), "00000100_3");
  EXPECT_EQ(lst.list(-1), "");
  EXPECT_EQ(lst.list(99), "");
}

TEST_F(UiTest, ListSelectionByMouseAndKeysRaisesClick) {
  auto& lst = win->add<ui::ListBox>("lstFile");
  lst.move(10, 10, 200, 100);
  for (int i = 0; i < 20; ++i) lst.addItem("slot" + std::to_string(i));
  std::vector<int> clicks;
  lst.Click = [&] { clicks.push_back(lst.listIndex()); };
  int line = gfx::Font::open(lst.font())->height();
  hb->click(20, 10 + 2 + line + line / 2);  // the second line
  hb->key(ui::kVkDown);
  hb->key(ui::kVkEnd);
  pump();
  EXPECT_EQ(clicks, (std::vector<int>{1, 2, 19}));
  EXPECT_EQ(lst.text(), "slot19");
  EXPECT_GT(lst.topIndex(), 0) << "the selection is scrolled into view";
  lst.setTopIndex(0);
  hb->wheel(20, 20, -2);  // towards the user: down the list
  pump();
  EXPECT_EQ(lst.topIndex(), 6);
  lst.setListIndex(19);  // unchanged: no Click
  lst.setListIndex(-1);
  EXPECT_EQ(clicks.size(), 4u);
  EXPECT_EQ(lst.text(), "");
}

TEST_F(UiTest, EmptyListTakesPointerAndKeysCalmly) {
  auto& lst = win->add<ui::ListBox>("lstFile");
  lst.move(0, 0, 100, 100);
  int clicks = 0;
  lst.Click = [&] { ++clicks; };
  hb->mouseDown(10, 10);
  hb->mouseMove(10, 60);
  hb->mouseUp(10, 60);
  hb->wheel(10, 10, 1);
  hb->key(ui::kVkDown);
  pump();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(lst.listIndex(), -1);
  lst.setListIndex(0);  // nothing there to select
  EXPECT_EQ(lst.listIndex(), -1);
}

TEST_F(UiTest, FileListShowsMatchingFilesInNameOrder) {
  testing_support::TempDir tmp;
  auto dir = tmp.path();
  std::filesystem::create_directories(dir / "sub.dat");
  for (const char* n : {"b.DAT", "a.dat", "c.map", "slot.dat.bak", ".hidden.dat", "Z.Dat"})
    std::ofstream(dir / n) << "x";
  auto& fil = win->add<ui::FileListBox>("FileLoad");
  fil.setVisible(false);
  fil.setPattern("*.dat");
  fil.setPath(dir.string());
  std::vector<std::string> got;
  for (int i = 0; i < fil.listCount(); ++i) got.push_back(fil.list(i));
  EXPECT_EQ(got, (std::vector<std::string>{"a.dat", "b.DAT", "Z.Dat"}));
  fil.setPattern("*.map;*.bak");
  EXPECT_EQ(fil.listCount(), 2);
  fil.setPath((dir / "missing").string());
  EXPECT_EQ(fil.listCount(), 0);
}

TEST(UiPattern, MatchesLikeThePlatform) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  } cases[] = {{"Stage1.map", "*.map", true}, {"stage1.MAP", "*.map", true}, {"stage1.map.txt", "*.map", false},
               {"readme", "*.*", true},       {"readme", "*.", true},        {"a.b", "*.", false},
               {"ab.dat", "?b.dat", true},    {"abc.dat", "?b.dat", false},  {"x.dat", "*.map; *.dat", true},
               {"x.dat", "", false}};
  for (const auto& c : cases) EXPECT_EQ(ui::matchesPattern(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
}

TEST_F(UiTest, TextBoxEditsWithKeysSelectionAndInputMethod) {
  auto& txt = win->add<ui::TextBox>("txtName");
  txt.move(10, 272, 380, 41);
  int changes = 0;
  txt.Change = [&] { ++changes; };
  txt.setText("(保存ファイル名)");
  EXPECT_EQ(changes, 1);
  txt.setFocus();
  EXPECT_TRUE(hb->textInputOn()) << "the input method is on while a text box has the focus";
  txt.setSelStart(0);
  txt.setSelLength(100);
  EXPECT_EQ(txt.selLength(), 9) << "a selection ends with the text";
  hb->editing("やま", 2);  // composing: nothing is in the text yet
  pump();
  EXPECT_EQ(txt.text(), "(保存ファイル名)");
  EXPECT_EQ(txt.composition(), "やま");
  hb->text("山田");
  hb->text("A1");
  hb->key(ui::kVkLeft);
  hb->setShift(ui::kShiftMask);
  hb->key(ui::kVkHome);
  hb->setShift(0);
  pump();
  EXPECT_EQ(txt.text(), "山田A1");
  EXPECT_EQ(txt.composition(), "");
  EXPECT_EQ(txt.selStart(), 0);
  EXPECT_EQ(txt.selText(), "山田A");
  hb->key(ui::kVkDelete);
  hb->key(ui::kVkEnd);
  hb->key(ui::kVkBack);
  pump();
  EXPECT_EQ(txt.text(), "");
  // The clipboard, a length limit and a typed character swallowed by KeyPress.
  txt.setMaxLength(4);
  txt.KeyPress = [](int& a) {
    if (a == '/') a = 0;
  };
  hb->text("ab/cdef");
  hb->setShift(ui::kCtrlMask);
  hb->key('A');
  hb->key('C');
  hb->setShift(0);
  pump();
  EXPECT_EQ(txt.text(), "abcd");
  EXPECT_EQ(hb->clipboardText(), "abcd");
  txt.setLocked(true);
  hb->text("zz");
  pump();
  EXPECT_EQ(txt.text(), "abcd");
  win->setFocus();
  ui::PictureBox& other = win->add<ui::PictureBox>("Other");
  other.setFocus();
  EXPECT_FALSE(hb->textInputOn());
}

TEST_F(UiTest, TextBoxShowsTextCaretAndSelection) {
  auto& txt = win->add<ui::TextBox>("txtCRT");
  txt.move(0, 0, 100, 21);
  txt.setText("800");
  auto dark = [&](gfx::Color c) {
    const gfx::Surface& f = composed();
    int n = 0;
    for (int y = 2; y < 19; ++y)
      for (int x = 2; x < 98; ++x) n += f.pixel(x, y) == c;
    return n;
  };
  EXPECT_GT(dark(gfx::kBlack), 10);
  EXPECT_EQ(dark(ui::kHighlightColor), 0);
  txt.setFocus();
  txt.setSelLength(3);
  EXPECT_GT(dark(ui::kHighlightColor), 30);
}

TEST_F(UiTest, CommandButtonClicksByMouseSpaceEnterAndAsDefault) {
  auto& ok = win->add<ui::CommandButton>("cmdStart");
  ok.move(10, 10, 130, 33);
  ok.setCaption("開始");
  auto& cancel = win->add<ui::CommandButton>("cmdCancel");
  cancel.move(200, 10, 130, 33);
  auto& pic = win->add<ui::PictureBox>("Pic");
  pic.move(0, 100, 50, 50);
  int oks = 0, cancels = 0;
  ok.Click = [&] { ++oks; };
  cancel.Click = [&] { ++cancels; };
  win->defaultButton = &ok;
  win->cancelButton = &cancel;
  hb->click(20, 20);  // 1
  hb->mouseDown(20, 20);
  hb->mouseUp(300, 300);   // released outside: no click
  hb->key(ui::kVkSpace);   // 2: the focused button
  hb->key(ui::kVkReturn);  // 3
  hb->click(10, 110);      // focus to the picture box
  hb->key(ui::kVkReturn);  // 4: the default button
  hb->key(ui::kVkEscape);  // the cancel button
  pump();
  EXPECT_EQ(oks, 4);
  EXPECT_EQ(cancels, 1);
  ok.setEnabled(false);
  hb->key(ui::kVkReturn);
  hb->click(20, 20);
  pump();
  EXPECT_EQ(oks, 4);
  // Two quick presses of a button are two clicks, not a double click.
  hb->click(210, 20);
  hb->click(210, 20);
  pump();
  EXPECT_EQ(cancels, 3);
}

TEST_F(UiTest, CheckBoxTogglesAndReportsItsValue) {
  auto& ck = win->add<ui::CheckBox>("CkCRT");
  ck.move(0, 0, 150, 17);
  ck.setCaption("保存する");
  int clicks = 0;
  ck.Click = [&] { ++clicks; };
  hb->click(5, 8);
  pump();
  EXPECT_EQ(ck.value(), ui::CheckBox::kChecked);
  hb->key(ui::kVkSpace);
  pump();
  EXPECT_EQ(ck.value(), ui::CheckBox::kUnchecked);
  ck.setValue(ui::CheckBox::kUnchecked);  // no change, no Click
  ck.setValue(7);                         // not a value
  EXPECT_EQ(clicks, 2);
}

TEST_F(UiTest, ImageControlShowsItsPictureStretchedOrKeyed) {
  auto& back = win->add<ui::PictureBox>("Back");
  back.move(0, 0, 200, 200);
  back.setBackColor(gfx::rgb(0, 0, 9));
  auto& img = win->add<ui::ImageControl>("ImgArrow", &back);
  img.move(10, 10, 1, 1);
  gfx::Surface arrow(4, 2, gfx::kRed);
  arrow.setPixel(0, 0, gfx::kMagenta);
  img.setPicture(arrow);
  EXPECT_EQ(img.width(), 4) << "an unstretched image takes its picture's size";
  img.setTransparentColor(gfx::kMagenta);
  EXPECT_EQ(composed().pixel(10, 10), gfx::rgb(0, 0, 9));
  EXPECT_EQ(composed().pixel(11, 10), gfx::kRed);
  img.setStretch(true);
  img.move(10, 10, 40, 20);
  const gfx::Surface& f = composed();
  EXPECT_EQ(f.pixel(15, 15), gfx::rgb(0, 0, 9));  // the key pixel, stretched to 10 x 10
  EXPECT_EQ(f.pixel(25, 15), gfx::kRed);
  int clicks = 0;
  img.Click = [&] { ++clicks; };
  hb->click(30, 20);
  pump();
  EXPECT_EQ(clicks, 1);
}
