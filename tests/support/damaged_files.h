// Damaged copies of every kind of file the program reads, through the program's own load paths
// on a headless program at its title: each must be refused (the game as it was) or read with
// its values mended, never crash, hang or leave a value the game cannot live with.
//
// Input i of a run is damaged by a mutator seeded from (seed, i) alone, so one input replays
// by itself: DamagedFiles(kind, {.seed = s, .first = i, .count = 1}).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

enum class FileKind { Map, Monsters, SavedGame, Settings, Slot, Wave, Midi, Picture };

inline constexpr FileKind kAllFileKinds[] = {FileKind::Map,      FileKind::Monsters, FileKind::SavedGame,
                                             FileKind::Settings, FileKind::Slot,     FileKind::Wave,
                                             FileKind::Midi,     FileKind::Picture};
std::string_view FileKindName(FileKind kind);

struct DamageOptions {
  uint32_t seed = 1;
  int first = 0;
  int count = 100;
  // Every k-th readable map is played for two passes by four computers (0: none).
  int playEvery = 10;
  // Where the input is written before it is tried, and its number beside it in FILE.index, so a
  // crash leaves both behind ("": nowhere).
  std::string keepInputAt;
};

struct DamageReport {
  int tried = 0;
  int refused = 0;                  // said unreadable; the game kept what it had
  int read = 0;                     // read, values mended where needed
  int played = 0;                   // maps a game was played on
  std::vector<std::string> faults;  // "input 17: ..." for each rule broken
};

DamageReport DamagedFiles(FileKind kind, const DamageOptions& options);

}  // namespace testing_support
