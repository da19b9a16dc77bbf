#include "support/headless_program.h"

#include <memory>

#include "data/game_data.h"
#include "program/program.h"
#include "sys/path.h"
#include "system/media.h"
#include "system/random.h"
#include "system/startup.h"
#include "ui/control.h"
#include "ui/toolkit.h"

#ifndef VORAK_GAME_DIR
#error "VORAK_GAME_DIR names the assembled game folder"
#endif

namespace fs = std::filesystem;

namespace testing_support {

GameFolder::GameFolder() {
  const fs::path game = VORAK_GAME_DIR;
  fs::create_directories(path() / "Vorak-Map");
  for (const auto& e : fs::directory_iterator(game / "Vorak-Map"))
    if (e.is_regular_file()) fs::copy_file(e.path(), path() / "Vorak-Map" / e.path().filename());
  for (const char* sub : {"Vorak-Wav", "Vorak-Pic"}) fs::create_directory_symlink(game / sub, path() / sub);
  use();
}

void GameFolder::use() const { sys::setAppFolderForTests(path().string() + "/"); }

HeadlessProgram::HeadlessProgram(bool presenting) : presenting_(presenting) {
  sys::setClock(&clock_);
  reset();
}

HeadlessProgram::~HeadlessProgram() {
  ResetProgramState();
  Startup().EndProgram = nullptr;
  ui::shutdown();
  sys::setAppFolderForTests("");
  sys::setClock(nullptr);
}

void HeadlessProgram::installBackend() {
  auto b = std::make_unique<ui::HeadlessBackend>();
  backend_ = b.get();
  ui::init(std::move(b));
  ui::setPresenting(presenting_);
}

void HeadlessProgram::reset() {
  ResetProgramState();
  installBackend();
  folder_.use();
  Media().NullOutput = true;
  Startup().EndProgram = [this] { ++ends_; };
}

void HeadlessProgram::start(uint64_t seed) {
  Main();
  RandomSeed(seed);
  ui::DoEvents();
}

void HeadlessProgram::restart(uint64_t seed) {
  reset();
  start(seed);
}

void HeadlessProgram::pump(double ms) {
  clock_.advanceMs(ms);
  ui::DoEvents();
}

void HeadlessProgram::click(const ui::Control& c) {
  const gfx::Rect r = c.frameRect();
  pump();
  backend_->click(r.left + r.width() / 2, r.top + r.height() / 2);
  pump();
}

void HeadlessProgram::press(int vk) {
  backend_->key(vk);
  pump();
}

}  // namespace testing_support
