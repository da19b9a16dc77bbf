#include "support/damaged_files.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <iterator>
#include <random>
#include <vector>

#include "data/board.h"
#include "data/game_data.h"
#include "data/monsters.h"
#include "data/save_game.h"
#include "data/save_slot.h"
#include "data/settings.h"
#include "gfx/image.h"
#include "media/mixer.h"
#include "media/music.h"
#include "media/wave.h"
#include "presentation/board_draw.h"
#include "presentation/status_panel.h"
#include "screens/frmMain.h"
#include "screens/map_select.h"
#include "screens/top_menu.h"
#include "support/autoplay.h"
#include "support/headless_program.h"
#include "support/mutator.h"
#include "support/sound_fonts.h"
#include "sys/path.h"
#include "system/media.h"
#include "system/picture_store.h"

namespace fs = std::filesystem;

namespace testing_support {
namespace {

std::string readAll(const fs::path& p) {
  std::string bytes;
  sys::readFile(p.string(), bytes);
  return bytes;
}

void writeAll(const fs::path& p, const std::string& bytes) { sys::writeFileAtomic(p.string(), bytes); }

// Everything a load may change, as the game's own writers put it: a refused file must leave
// exactly this as it was.
std::string gameFingerprint(const fs::path& scratch) {
  const fs::path map = scratch / "print.MAP", dat = scratch / "print.DAT", mon = scratch / "print.Mon";
  WriteMapFile(map.string());
  SaveGameData(dat.string());
  SaveMonsterFile(mon.string());
  return readAll(map) + readAll(dat) + readAll(mon);
}

class Run {
 public:
  Run(FileKind kind, const DamageOptions& options) : kind_(kind), options_(options) {
    program_.start(options.seed);
    const GameData& g = Game();
    scratch_ = fs::path(g.AppFolder) / "damage";
    fs::create_directories(scratch_);
    // A game in progress gives the slot's files something to hold.
    Autoplay(program_, {.seed = options.seed, .map = 1, .passLimit = 3});
    SaveSlot("Good");
    for (const char* ext : kSlotExtensions) good_.push_back(readAll(sys::resolvePath(SlotFile("Good", ext))));
    goodSettings_ = settingsText();
  }

  DamageReport go() {
    for (int i = options_.first; i < options_.first + options_.count; ++i) {
      Mutator mutate(options_.seed * 1000003u + static_cast<uint32_t>(i) * 7919u + static_cast<uint32_t>(kind_));
      at_ = i;
      ++report_.tried;
      tryOne(mutate);
    }
    return report_;
  }

 private:
  void fault(const std::string& what) {
    report_.faults.push_back(std::string(FileKindName(kind_)) + " input " + std::to_string(at_) + ": " + what);
  }
  void counted(bool read) { ++(read ? report_.read : report_.refused); }

  // Written where the program looks for it, and kept aside first when asked.
  void place(const fs::path& where, const std::string& bytes) {
    if (!options_.keepInputAt.empty()) {
      writeAll(options_.keepInputAt, bytes);
      writeAll(options_.keepInputAt + ".index", std::to_string(at_) + "\n");
    }
    writeAll(where, bytes);
  }

  void tryOne(Mutator& mutate) {
    switch (kind_) {
      case FileKind::Map: return map(mutate(good_[0]));
      case FileKind::Monsters: return slot({good_[0], good_[1], mutate(good_[2])});
      case FileKind::SavedGame: return slot({good_[0], mutate(good_[1]), good_[2]});
      case FileKind::Slot: {
        // Every choice of one, two or all three of its files damaged together.
        const int which = at_ % 7 + 1;
        std::vector<std::string> files = good_;
        for (size_t f = 0; f < files.size(); ++f)
          if (which & (1 << f)) files[f] = mutate(files[f]);
        return slot(files);
      }
      case FileKind::Settings: return settings(mutate(goodSettings_));
      case FileKind::Wave: return wave(mutate(pick({"QV-Click.wav", "QV-Dice.wav", "QV-Food.wav"})));
      case FileKind::Midi: return midi(mutate(pick({"Md-Opening.mid", "Md-Battle.mid", "Md-Staff.mid"})));
      case FileKind::Picture: return picture(mutate);
    }
  }

  std::string pick(std::vector<const char*> names) {
    const std::string& name = names[static_cast<size_t>(at_) % names.size()];
    return readAll(sys::resolvePath(Game().WavFolder + name));
  }

  void checkBoard() {
    for (const auto& column : Game().Board)
      for (const MapCell& cell : column)
        if (cell.ChipX < 0 || cell.ChipX > 15 || cell.ChipY < 0 || cell.ChipY > 15) {
          fault("a cell's chip " + std::to_string(cell.ChipX) + "," + std::to_string(cell.ChipY));
          return;
        }
  }

  // The title's selection: the damaged map sorts first, so it is map 1.
  void map(const std::string& bytes) {
    GameData& g = Game();
    place(fs::path(g.MapFolder) / "00-Damaged.map", bytes);
    int32_t n = 1;
    Init05MapSelect(n);
    if (g.MapFileName != "00-Damaged.map") fault("selected " + g.MapFileName);
    counted(g.MapReady);
    if (!g.MapReady) return;
    checkBoard();
    if (options_.playEvery <= 0 || report_.read % options_.playEvery != 0) return;
    ++report_.played;
    // A damaged board may be unplayable by the rules (no start, walls everywhere); what counts
    // here is that the game neither crashes nor hangs on it, and goes back to the title.
    Autoplay(program_, {.seed = options_.seed + static_cast<uint64_t>(at_), .map = 1, .passLimit = 2});
    if (frmMain().PicStatusUp.Tag != "ゲーム") fault("the game did not go back to the title");
  }

  // The save dialog's load: all of it or nothing.
  void slot(const std::vector<std::string>& files) {
    for (size_t i = 0; i < files.size(); ++i)
      place(sys::resolvePath(SlotFile("Damaged", kSlotExtensions[i])), files[i]);
    const std::string before = gameFingerprint(scratch_);
    const SlotStatus status = LoadSlot("Damaged");
    counted(status == SlotStatus::Ok);
    if (status != SlotStatus::Ok) {
      if (gameFingerprint(scratch_) != before) fault("a refused slot changed the game");
      return;
    }
    checkBoard();
    const GameData& g = Game();
    if (g.ResumePlayer < -1 || g.ResumePlayer > 3) fault("resume seat " + std::to_string(g.ResumePlayer));
    for (size_t k = 0; k < 4; ++k) {
      const PlayerRecord& p = g.Players[k];
      if (p.sUser < 0 || p.sUser > 2 || p.sLifeMax < 1 || p.sExpNext < 1 || p.xPosMap < 0 ||
          p.xPosMap >= kPlayColumns || p.yPosMap < 0 || p.yPosMap >= kPlayRows)
        fault("seat " + std::to_string(k) + " kind " + std::to_string(p.sUser) + " at " + std::to_string(p.xPosMap) +
              "," + std::to_string(p.yPosMap));
    }
    for (const PlayerRecord& m : g.Monsters)
      if (m.sLifeMax < 1) fault("a monster without life");
    // What the resumed game draws first.
    DrawMap();
    WriteScoreSet(true, false);
  }

  // What the game writes, with every kind of seat and names of our own.
  static std::string settingsText() {
    GameData& g = Game();
    g.PlayerKinds = {1, 2, 0, 2};
    g.PlayerNames = {"あお", "もも", "みどり", "きいろ"};
    std::error_code ec;
    fs::remove(sys::resolvePath(g.DataFile), ec);
    SaveSettings(g.DataFile);
    return readAll(sys::resolvePath(g.DataFile));
  }

  // Read at start-up, shown on the title, written back at the end.
  void settings(const std::string& bytes) {
    GameData& g = Game();
    place(sys::resolvePath(g.DataFile), bytes);
    counted(!LoadSettings(g.DataFile).setAside);
    MakeTopMenu("ゲーム");
    for (size_t k = 0; k < 4; ++k)
      if (g.PlayerKinds[k] < 0 || g.PlayerKinds[k] > 2 || g.PlayerNames[k].empty())
        fault("seat " + std::to_string(k) + " kind " + std::to_string(g.PlayerKinds[k]));
    for (Fixed s : g.Speeds)
      if (s < Fixed::fromRaw(100) || s > Fixed(2)) fault("a speed of " + sys::toText(s));
    if (g.StageNo < 1) fault("map number " + std::to_string(g.StageNo));
    if (!SaveSettings(g.DataFile)) fault("the settings could not be written back");
  }

  // The sound slots' load, then a mix of it at a random pitch as the game plays it.
  void wave(const std::string& bytes) {
    const fs::path file = scratch_ / "Damaged.wav";
    place(file, bytes);
    const bool read = LoadSoundSlot(3, file.string());
    counted(read);
    if (!read) return;
    auto w = std::make_shared<media::Wave>();
    if (!media::loadWave(file.string(), *w)) return fault("read by the slot, refused by the mixer");
    media::Mixer mixer(1, 22050);
    mixer.load(0, w);
    mixer.setFrequency(0, 100 + at_ * 997 % 40000);
    mixer.play(0, true);
    std::vector<float> out(2 * 2048);
    mixer.mix(out.data(), 2048);
    for (float v : out)
      if (!std::isfinite(v)) return fault("a sample that is not a number");
  }

  // The music's check, then a second of it through the synthesiser when a soundfont is there.
  void midi(const std::string& bytes) {
    const fs::path file = scratch_ / "Damaged.mid";
    place(file, bytes);
    PlayMusic(file.string(), 1);
    const bool read = media::isMidiFile(bytes);
    counted(read);
    if (!read || !synth()) return;
    std::string error;
    if (!player_.play(bytes, 1, &error)) return fault("checked, then refused by the synthesiser: " + error);
    std::vector<float> out(2 * 22050);
    player_.render(out.data(), 22050);
    player_.stop();
    for (float v : out)
      if (!std::isfinite(v)) return fault("a sample that is not a number");
  }

  bool synth() {
    if (!triedSynth_) {
      triedSynth_ = true;
      std::error_code ec;
      if (fs::exists(kSmallSoundFont, ec)) player_.open(kSmallSoundFont, 22050);
    }
    return player_.isOpen();
  }

  // Bytes damaged anywhere; or, for every other input, a size of its own claimed in the header
  // (the decoder skips the checksums), from nothing to far beyond any picture of the game; or,
  // for every fourth, a chunk of our own before the end, which a reader must pass over.
  std::string damagedPicture(const std::string& good, Mutator& mutate) const {
    std::mt19937 rng(options_.seed * 31u + static_cast<uint32_t>(at_));
    if (at_ % 4 == 3 && good.size() > 12) {
      std::string data(rng() % 300, '\0');
      for (char& c : data) c = static_cast<char>(rng());
      std::string chunk;
      for (int b = 0; b < 4; ++b) chunk += static_cast<char>(data.size() >> (24 - 8 * b));
      chunk += "vaRk" + data + "CRC!";
      return std::string(good).insert(good.size() - 12, chunk);
    }
    std::string damaged = mutate(good);
    if (at_ % 2 == 0 && damaged.size() >= 24) {
      const uint32_t sizes[] = {0, 1, 32, 799, 801, 65535, 1u << 24, 0x7fffffff, 0xffffffff};
      for (size_t field = 0; field < 2; ++field) {
        const uint32_t v = rng() % 3 == 0 ? static_cast<uint32_t>(rng()) : sizes[rng() % std::size(sizes)];
        for (size_t b = 0; b < 4; ++b) damaged[16 + 4 * field + b] = static_cast<char>(v >> (24 - 8 * b));
      }
    }
    return damaged;
  }

  // The picture store's load of a folder that holds one damaged picture (a different one each
  // time) and nothing else: the others are missing, and stand-ins take their place.
  void picture(Mutator& mutate) {
    const std::vector<PictureFile>& files = PictureFiles();
    const PictureFile& target = files[static_cast<size_t>(at_) % files.size()];
    const fs::path pics = scratch_ / "Vorak-Pic";
    std::error_code ec;
    fs::remove_all(pics, ec);
    fs::create_directories(pics);
    const std::string good = readAll(fs::path(Game().AppFolder) / "Vorak-Pic" / target.file);
    place(pics / target.file, damagedPicture(good, mutate));
    LoadPictureStore(pics.string());
    const std::vector<std::string>& missing = frmPic().missing;
    const bool refused = std::find(missing.begin(), missing.end(), target.file) != missing.end();
    counted(!refused);
    if (missing.size() != files.size() - (refused ? 0 : 1)) fault("the stand-ins do not add up");
    // The title drawn over what was loaded.
    MakeTopMenu("ゲーム");
  }

  FileKind kind_;
  DamageOptions options_;
  HeadlessProgram program_{false};
  fs::path scratch_;
  std::vector<std::string> good_;  // the slot's three files
  std::string goodSettings_;
  DamageReport report_;
  int at_ = 0;
  media::MusicPlayer player_;
  bool triedSynth_ = false;
};

}  // namespace

std::string_view FileKindName(FileKind kind) {
  switch (kind) {
    case FileKind::Map: return "map";
    case FileKind::Monsters: return "monsters";
    case FileKind::SavedGame: return "saved-game";
    case FileKind::Settings: return "settings";
    case FileKind::Slot: return "slot";
    case FileKind::Wave: return "wav";
    case FileKind::Midi: return "midi";
    case FileKind::Picture: return "png";
  }
  return "";
}

DamageReport DamagedFiles(FileKind kind, const DamageOptions& options) { return Run(kind, options).go(); }

}  // namespace testing_support
