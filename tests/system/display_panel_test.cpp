// The display-mode panel on a headless screen with a known list of modes.
#include "system/display_panel.h"

#include <gtest/gtest.h>

#include <memory>

#include "backend/headless/headless_backend.h"
#include "system/picture_store.h"
#include "ui/display.h"
#include "ui/toolkit.h"

namespace {

class DisplayPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto b = std::make_unique<ui::HeadlessBackend>();
    hb = b.get();
    ui::init(std::move(b));
    ResetPictureStore();
  }
  void TearDown() override {
    ResetPictureStore();
    ui::shutdown();
  }
  // Builds the panel's list as the store's start-up does.
  void screen(std::vector<ui::DisplayMode> modes, ui::DisplayMode stored) {
    hb->setModes(std::move(modes), stored);
    ListDisplayModes();
  }
  ui::HeadlessBackend* hb = nullptr;
};

const ui::DisplayMode k640{640, 480, 16}, k800{800, 600, 16}, k800x32{800, 600, 32}, k1800{1800, 600, 16},
    kDesk{1024, 768, 32};

TEST_F(DisplayPanelTest, ListsEveryModeInThePlatformsOrder) {
  screen({k640, k800, kDesk}, kDesk);
  PictureStore& st = frmPic();
  ASSERT_EQ(st.lstCrt.listCount(), 3);
  EXPECT_EQ(st.lstCrt.list(0), "640×480ピクセル 16ビット");
  EXPECT_EQ(st.lstCrt.list(1), "800×600ピクセル 16ビット");
  EXPECT_EQ(st.lstCrt.list(2), "1024×768ピクセル 32ビット");
}

TEST_F(DisplayPanelTest, DispSetSwitchesOnlyToAListedMode) {
  // A wider mode whose text holds the wanted one must not be taken for it.
  screen({k1800, k800x32, kDesk}, kDesk);
  EXPECT_FALSE(DispSet(800, 600, 16));
  EXPECT_EQ(ui::currentDisplayMode(), kDesk);

  screen({k1800, k800x32, k800, kDesk}, kDesk);
  EXPECT_TRUE(DispSet(800, 600, 16));
  EXPECT_EQ(ui::currentDisplayMode(), k800);
  PictureStore& st = frmPic();
  EXPECT_EQ(st.lbCRTNow.caption(), "800×600 16ビット");
  EXPECT_EQ(st.lbCRTReg.caption(), "1024×768 32ビット");
  EXPECT_EQ(st.txtCrtBack[0].text(), "800");
  EXPECT_EQ(st.txtCrtBack[1].text(), "600");
  EXPECT_EQ(st.txtCrtBack[2].text(), "16");
}

TEST_F(DisplayPanelTest, DispUndoRestoresTheStoredMode) {
  screen({k800, kDesk}, kDesk);
  ASSERT_TRUE(DispSet(800, 600, 16));
  EXPECT_TRUE(DispUndo());
  EXPECT_EQ(ui::currentDisplayMode(), kDesk);
  EXPECT_EQ(frmPic().lbCRTNow.caption(), frmPic().lbCRTReg.caption());
}

TEST_F(DisplayPanelTest, TheApplyButtonSetsTheSelectedMode) {
  screen({k640, k800, kDesk}, kDesk);
  PictureStore& st = frmPic();
  st.CmdSetCRT.Click();  // nothing selected: nothing happens
  EXPECT_EQ(ui::currentDisplayMode(), kDesk);
  st.lstCrt.setListIndex(0);
  st.CkCRT.setValue(ui::CheckBox::kChecked);
  st.CmdSetCRT.Click();
  EXPECT_EQ(ui::currentDisplayMode(), k640);
  EXPECT_EQ(st.lbCRTNow.caption(), "640×480 16ビット");
}

}  // namespace
