#include "data/save_slot.h"

#include <filesystem>
#include <system_error>

#include "data/board.h"
#include "data/game_data.h"
#include "data/monsters.h"
#include "data/save_game.h"
#include "sys/path.h"

namespace {
namespace fs = std::filesystem;

using Writer = bool (*)(std::string_view);
constexpr std::array<Writer, 3> kWriters = {WriteMapFile, SaveGameData, SaveMonsterFile};
using Reader = bool (*)(std::string_view);
constexpr std::array<Reader, 3> kCheckers = {CheckMapFile, CheckGameData, CheckMonsterFile};
constexpr std::array<Reader, 3> kReaders = {ReadMapFile, LoadGameData, LoadMonsterFile};

bool isFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

void removeFile(const fs::path& p) {
  std::error_code ec;
  if (isFile(p)) fs::remove(p, ec);
}

fs::path withSuffix(fs::path p, const char* suffix) { return p += suffix; }

// The new files are in place beside the slot; each old file steps aside before its new one
// takes its name, and steps back if a later one fails, so the slot is either all new or all old.
bool swapIn(const std::array<fs::path, 3>& files, const std::array<fs::path, 3>& staged) {
  std::array<bool, 3> hadOld{}, placed{};
  bool ok = true;
  for (size_t i = 0; ok && i < files.size(); ++i) {
    std::error_code ec;
    if (fs::exists(files[i], ec)) {
      fs::rename(files[i], withSuffix(files[i], ".old"), ec);
      hadOld[i] = !ec;
    }
    if (!ec) fs::rename(staged[i], files[i], ec);
    placed[i] = !ec;
    ok = !ec;
  }
  for (size_t i = 0; i < files.size(); ++i) {
    std::error_code ec;
    if (!ok && placed[i]) fs::remove(files[i], ec);
    if (!ok && hadOld[i]) fs::rename(withSuffix(files[i], ".old"), files[i], ec);
    if (ok && hadOld[i]) fs::remove(withSuffix(files[i], ".old"), ec);
    removeFile(staged[i]);
  }
  return ok;
}

}  // namespace

bool SlotNameUsable(std::string_view name) {
  if (name.find_first_not_of('.') == std::string_view::npos) return false;
  for (char c : name)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
  return true;
}

std::string SlotFile(std::string_view name, std::string_view extension) {
  return Game().DatFolder + std::string(name) + std::string(extension);
}

bool SaveSlot(std::string_view name) {
  if (!SlotNameUsable(name)) return false;
  std::array<fs::path, 3> files, staged;
  for (size_t i = 0; i < files.size(); ++i) {
    files[i] = sys::resolvePath(SlotFile(name, kSlotExtensions[i]));
    staged[i] = withSuffix(files[i], ".saving");
    std::error_code ec;
    // A folder of that name is not the slot's to replace.
    if (fs::exists(files[i], ec) && !isFile(files[i])) return false;
  }
  bool written = true;
  for (size_t i = 0; written && i < files.size(); ++i) {
    removeFile(staged[i]);
    written = kWriters[i](staged[i].string());
  }
  if (!written) {
    for (const fs::path& p : staged) removeFile(p);
    return false;
  }
  return swapIn(files, staged);
}

SlotStatus CheckSlot(std::string_view name) {
  if (!SlotNameUsable(name)) return SlotStatus::Missing;
  for (const char* ext : kSlotExtensions)
    if (!isFile(sys::resolvePath(SlotFile(name, ext)))) return SlotStatus::Missing;
  for (size_t i = 0; i < kCheckers.size(); ++i)
    if (!kCheckers[i](SlotFile(name, kSlotExtensions[i]))) return SlotStatus::Damaged;
  return SlotStatus::Ok;
}

SlotStatus LoadSlot(std::string_view name) {
  SlotStatus status = CheckSlot(name);
  if (status != SlotStatus::Ok) return status;
  // The files were checked a moment ago; should one go in between, the game goes back whole.
  GameData before = Game();
  for (size_t i = 0; i < kReaders.size(); ++i) {
    if (!kReaders[i](SlotFile(name, kSlotExtensions[i]))) {
      Game() = std::move(before);
      Hooks().DrawMap();
      return SlotStatus::Damaged;
    }
  }
  return SlotStatus::Ok;
}

void DeleteSlot(std::string_view name) {
  if (!SlotNameUsable(name)) return;
  for (const char* ext : kSlotExtensions) removeFile(sys::resolvePath(SlotFile(name, ext)));
}
