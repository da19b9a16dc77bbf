#include "system/picture_store.h"

#include <cstdio>
#include <memory>

#include "gfx/blit.h"
#include "gfx/image.h"
#include "sys/path.h"
#include "system/display_panel.h"

namespace {

constexpr gfx::Color kPlain = gfx::rgb(64, 64, 64);

std::unique_ptr<PictureStore>& instance() {
  static std::unique_ptr<PictureStore> store;
  return store;
}

}  // namespace

const std::vector<PictureFile>& PictureFiles() {
  using gfx::kMagenta;
  static const std::vector<PictureFile> files = {
      {"PicChara.png", 672, 928, kMagenta},  {"PicMap.png", 481, 96, kMagenta},
      {"PicMapSky.png", 64, 320, kPlain},    {"PicDiceM.png", 100, 700, gfx::kWhite},
      {"PicPunch.png", 160, 32, kMagenta},   {"PicTarget.png", 80, 80, gfx::kWhite},
      {"PicCasino0.png", 200, 200, kPlain},  {"PicCasino1.png", 200, 200, kPlain},
      {"PicCasino3.png", 200, 200, kPlain},  {"PicSlot.png", 60, 304, gfx::kWhite},
      {"PicMato.png", 200, 100, kMagenta},   {"PicPlayer.png", 960, 176, kPlain},
      {"PicBar.png", 153, 96, kPlain},       {"PicStage.png", 220, 240, kPlain},
      {"PicEnd.png", 832, 54, kPlain},       {"PicTitle.png", 201, 122, kMagenta},
      {"PicBtn.png", 600, 601, kPlain},      {"PicWaku.png", 128, 64, kMagenta},
      {"Hand.png", 32, 32, kMagenta},        {"ImgArrow.png", 32, 32, kMagenta},
      {"LoadTitle0.png", 400, 24, kPlain},   {"LoadTitle1.png", 400, 24, kPlain},
      {"PicBgv.png", 800, 576, gfx::kBlack}, {"PicStatusUp.png", 800, 24, gfx::kBlack},
      {"Icon.png", 32, 32, kMagenta},
  };
  return files;
}

PictureStore::PictureStore()
    : PicChara(window.add<ui::PictureBox>("PicChara")),
      PicMap(window.add<ui::PictureBox>("PicMap")),
      PicMapSky(window.add<ui::PictureBox>("PicMapSky")),
      PicDiceM(window.add<ui::PictureBox>("PicDiceM")),
      PicDice(window.add<ui::PictureBox>("PicDice")),
      PicPunch(window.add<ui::PictureBox>("PicPunch")),
      PicTarget(window.add<ui::PictureBox>("PicTarget")),
      PicCasino(window, "PicCasino"),
      PicSlot(window.add<ui::PictureBox>("PicSlot")),
      PicMato(window.add<ui::PictureBox>("PicMato")),
      PicPlayer(window.add<ui::PictureBox>("PicPlayer")),
      PicBar(window.add<ui::PictureBox>("PicBar")),
      PicStage(window.add<ui::PictureBox>("PicStage")),
      PicEnd(window.add<ui::PictureBox>("PicEnd")),
      PicTitle(window.add<ui::PictureBox>("PicTitle")),
      PicBtn(window.add<ui::PictureBox>("PicBtn")),
      PicWaku(window.add<ui::PictureBox>("PicWaku")),
      PicFade(window.add<ui::PictureBox>("PicFade")),
      PicDummy(window.add<ui::PictureBox>("PicDummy")),
      Frame16(window.add<ui::PictureBox>("Frame16")),
      lstCrt(window.add<ui::ListBox>("lstCrt", &Frame16)),
      lbCRTNow(window.add<ui::Label>("lbCRTNow", &Frame16)),
      lbCRTReg(window.add<ui::Label>("lbCRTReg", &Frame16)),
      txtCrtBack(window, "txtCrtBack", &Frame16),
      txtCRT(window, "txtCRT", &Frame16),
      CkCRT(window.add<ui::CheckBox>("CkCRT", &Frame16)),
      CmdSetCRT(window.add<ui::CommandButton>("CmdSetCRT", &Frame16)),
      cmdCrtBack(window.add<ui::CommandButton>("cmdCrtBack", &Frame16)),
      cmdColorGet(window.add<ui::CommandButton>("cmdColorGet", &Frame16)),
      cmdCrtSet(window.add<ui::CommandButton>("cmdCrtSet", &Frame16)),
      cmdBackCRT(window.add<ui::CommandButton>("cmdBackCRT", &Frame16)),
      ImgIcon(window.add<ui::ImageControl>("ImgIcon", &Frame16)) {
  for (int i : {0, 1, 3}) PicCasino[i];
  for (int i = 0; i < 3; ++i) txtCrtBack[i], txtCRT[i];
  WireDisplayPanel(*this);
}

ui::PictureBox* PictureStore::box(const std::string& file) {
  const std::pair<const char*, ui::PictureBox*> boxes[] = {
      {"PicChara.png", &PicChara},       {"PicMap.png", &PicMap},           {"PicMapSky.png", &PicMapSky},
      {"PicDiceM.png", &PicDiceM},       {"PicPunch.png", &PicPunch},       {"PicTarget.png", &PicTarget},
      {"PicCasino0.png", &PicCasino[0]}, {"PicCasino1.png", &PicCasino[1]}, {"PicCasino3.png", &PicCasino[3]},
      {"PicSlot.png", &PicSlot},         {"PicMato.png", &PicMato},         {"PicPlayer.png", &PicPlayer},
      {"PicBar.png", &PicBar},           {"PicStage.png", &PicStage},       {"PicEnd.png", &PicEnd},
      {"PicTitle.png", &PicTitle},       {"PicBtn.png", &PicBtn},           {"PicWaku.png", &PicWaku}};
  for (auto& [name, b] : boxes)
    if (file == name) return b;
  return nullptr;
}

gfx::Surface* PictureStore::target(const std::string& file) {
  if (ui::PictureBox* b = box(file)) return &b->surface();
  const std::pair<const char*, gfx::Surface*> others[] = {{"Hand.png", &Hand},
                                                          {"ImgArrow.png", &ImgArrow},
                                                          {"LoadTitle0.png", &LoadTitle[0]},
                                                          {"LoadTitle1.png", &LoadTitle[1]},
                                                          {"PicBgv.png", &Background},
                                                          {"PicStatusUp.png", &StatusBar},
                                                          {"Icon.png", &Icon}};
  for (auto& [name, s] : others)
    if (file == name) return s;
  return nullptr;
}

PictureStore& frmPic() {
  auto& s = instance();
  if (!s) s = std::make_unique<PictureStore>();
  return *s;
}

void ResetPictureStore() { instance() = std::make_unique<PictureStore>(); }

void LoadPictureStore(const std::string& folder) {
  PictureStore& st = frmPic();
  std::string dir = folder.empty() ? sys::appFolder() + kPicFolderName : folder;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  st.missing.clear();
  for (const auto& f : PictureFiles()) {
    gfx::Surface img;
    const char* why = nullptr;
    if (!gfx::loadImage(dir + f.file, img))
      why = sys::fileExists(dir + f.file) ? "cannot be read" : "is missing";
    else if (img.width() != f.width || img.height() != f.height)
      why = "has the wrong size";
    if (why) {
      std::fprintf(stderr, "VorakTalmor: picture %s%s %s; using a blank %dx%d picture\n", dir.c_str(), f.file, why,
                   f.width, f.height);
      img = gfx::Surface(f.width, f.height, f.placeholder);
      st.missing.push_back(f.file);
    }
    // A box takes its picture's size, as a picture box sized to its image did.
    if (ui::PictureBox* b = st.box(f.file)) b->move(0, 0, f.width, f.height);
    if (gfx::Surface* to = st.target(f.file)) {
      *to = std::move(img);
      to->touch();
    }
  }
  // The die strip: the seven faces, then the first face once more so a scroll past the end wraps.
  st.PicDice.move(0, 0, 100, 800);
  gfx::Surface& dice = st.PicDice.surface();
  gfx::bitBlt(dice, 0, 0, 100, 700, &st.PicDiceM.surface(), 0, 0);
  gfx::bitBlt(dice, 0, 700, 100, 100, &st.PicDiceM.surface(), 0, 0);
  st.PicFade.move(0, 0, 500, 200);
  gfx::fillRect(st.PicFade.surface(), st.PicFade.surface().bounds(), gfx::kBlack);
  st.PicDummy.move(0, 0, 32, 32);
  st.ImgIcon.setPicture(st.Icon);
  ListDisplayModes();
}
