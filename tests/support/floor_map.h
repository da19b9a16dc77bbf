// Boards of our own for whole games: one floor on row 8 over a row of wall, walls everywhere
// else, the start on the far left, the given cells after it and the goal after them.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/board.h"

namespace testing_support {

// Writes the board as a map file of the folder's Vorak-Map (`name` such as "99-Short.map"; the
// shipped maps come first, so the first of ours is map 4).
inline void WriteFloorMap(const std::filesystem::path& gameFolder, const std::string& name,
                          const std::vector<std::string>& cells) {
  std::string text;
  for (int r = 0; r < kPlayRows; ++r) {
    for (int c = 0; c < kPlayColumns; ++c) {
      std::string code = "01";
      const size_t at = static_cast<size_t>(c);
      if (r == 8 && at <= cells.size() + 1) code = at == 0 ? "02" : at == cells.size() + 1 ? "E2" : cells[at - 1];
      text += code + (c + 1 < kPlayColumns ? " " : "\r\n");
    }
  }
  std::ofstream(gameFolder / "Vorak-Map" / name, std::ios::binary) << text;
}

}  // namespace testing_support
