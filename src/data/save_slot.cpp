#include "data/save_slot.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "data/board.h"
#include "data/game_data.h"
#include "data/monsters.h"
#include "data/save_game.h"
#include "sys/path.h"
#include "sys/text.h"

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

constexpr const char* kOldSuffix = ".old";
constexpr const char* kStagedSuffix = ".saving";

fs::path withSuffix(fs::path p, const char* suffix) { return p += suffix; }

// The new files are in place beside the slot; each old file steps aside before its new one
// takes its name, and steps back if a later one fails, so the slot is either all new or all old.
bool swapIn(const std::array<fs::path, 3>& files, const std::array<fs::path, 3>& staged) {
  std::array<bool, 3> hadOld{}, placed{};
  bool ok = true;
  for (size_t i = 0; ok && i < files.size(); ++i) {
    std::error_code ec;
    if (fs::exists(files[i], ec)) {
      fs::rename(files[i], withSuffix(files[i], kOldSuffix), ec);
      hadOld[i] = !ec;
    }
    if (!ec) fs::rename(staged[i], files[i], ec);
    placed[i] = !ec;
    ok = !ec;
  }
  for (size_t i = 0; i < files.size(); ++i) {
    std::error_code ec;
    if (!ok && placed[i]) fs::remove(files[i], ec);
    if (!ok && hadOld[i]) fs::rename(withSuffix(files[i], kOldSuffix), files[i], ec);
    if (ok && hadOld[i]) fs::remove(withSuffix(files[i], kOldSuffix), ec);
    removeFile(staged[i]);
  }
  return ok;
}

// One file of a slot as a killed save may have left it: the file itself, the older one stepped
// aside, the new one staged.
struct SlotFileState {
  fs::path real, old, staged;
  bool hasReal, hasOld, hasStaged;
};

SlotFileState slotFileState(std::string_view name, const char* extension) {
  const std::string file = SlotFile(name, extension);
  SlotFileState s{sys::resolvePath(file),
                  sys::resolvePath(file + kOldSuffix),
                  sys::resolvePath(file + kStagedSuffix),
                  false,
                  false,
                  false};
  s.hasReal = isFile(s.real);
  s.hasOld = isFile(s.old);
  s.hasStaged = isFile(s.staged);
  return s;
}

// Moves a work file into its slot file's place: the slot file's own name when it has one, else
// the work file's name without its suffix (the case the save gave it).
void putBack(const SlotFileState& s, const fs::path& work, const char* suffix) {
  fs::path target = s.real;
  if (!s.hasReal) {
    const std::string name = work.filename().string();
    target = work.parent_path() / name.substr(0, name.size() - std::string_view(suffix).size());
  }
  std::error_code ec;
  fs::rename(work, target, ec);
}

// The order of the moves decides: staged files remain until the last new file is in place, so
// while any remains the save had not finished.
void recoverSlot(std::string_view name) {
  std::array<SlotFileState, 3> f;
  bool anyStaged = false, anyOld = false;
  for (size_t i = 0; i < f.size(); ++i) {
    f[i] = slotFileState(name, kSlotExtensions[i]);
    anyStaged = anyStaged || f[i].hasStaged;
    anyOld = anyOld || f[i].hasOld;
  }
  if (!anyStaged) {
    for (const SlotFileState& s : f)
      if (s.hasOld && !s.hasReal)
        putBack(s, s.old, kOldSuffix);
      else
        removeFile(s.old);
    return;
  }
  for (const SlotFileState& s : f)
    if (s.hasOld) putBack(s, s.old, kOldSuffix);
  // A name saved for the first time, killed between its moves: the files in place so far and
  // the staged rest are the whole new save.
  size_t placed = 0;
  while (placed < f.size() && f[placed].hasReal && !f[placed].hasStaged) ++placed;
  bool whole = !anyOld;
  for (size_t i = placed; i < f.size(); ++i) whole = whole && !f[i].hasReal && f[i].hasStaged;
  for (const SlotFileState& s : f)
    if (whole && s.hasStaged)
      putBack(s, s.staged, kStagedSuffix);
    else
      removeFile(s.staged);
}

// The slot name of a work file's name ("旅.MAP.old": "旅"), or "" when it is none.
std::string slotOfWorkFile(const std::string& file) {
  for (const char* suffix : {kOldSuffix, kStagedSuffix}) {
    const std::string_view s(suffix);
    if (file.size() <= s.size() || file.compare(file.size() - s.size(), s.size(), s) != 0) continue;
    const std::string_view base = std::string_view(file).substr(0, file.size() - s.size());
    for (const char* ext : kSlotExtensions) {
      const std::string_view e(ext);
      if (base.size() > e.size() && sys::equalsIgnoreCase(base.substr(base.size() - e.size()), e))
        return std::string(base.substr(0, base.size() - e.size()));
    }
  }
  return "";
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
    staged[i] = withSuffix(files[i], kStagedSuffix);
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

int RecoverSlots() {
  std::set<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(sys::resolvePath(Game().DatFolder), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = slotOfWorkFile(it->path().filename().string());
    if (SlotNameUsable(name)) names.insert(name);
  }
  for (const std::string& name : names) recoverSlot(name);
  return static_cast<int>(names.size());
}
