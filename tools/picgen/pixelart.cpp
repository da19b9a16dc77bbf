// Pixel-art text format:
//   # comment              (whole line)
//   colour X RRGGBB        one character stands for one colour, from here on in this file
//   sprite NAME            the rows that follow, up to a blank line, are the sprite
// Every row of a sprite has the same length; every character must have a colour.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "picgen.h"

namespace picgen {

void PixelArt::loadFolder(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
    if (e.is_regular_file() && e.path().extension() == ".txt") files.push_back(e.path());
  std::sort(files.begin(), files.end());  // deterministic when names repeat across files
  for (const auto& f : files) loadFile(f.string());
}

void PixelArt::loadFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::map<char, gfx::Color> palette;
  std::string line, name;
  std::vector<std::string> rows;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": " + why);
  };
  auto finish = [&] {
    if (name.empty()) return;
    if (rows.empty()) fail("sprite " + name + " has no rows");
    gfx::Surface s(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
      if (rows[y].size() != rows[0].size()) fail("sprite " + name + ": rows differ in length");
      for (size_t x = 0; x < rows[y].size(); ++x) {
        auto it = palette.find(rows[y][x]);
        if (it == palette.end()) fail(std::string("sprite ") + name + ": no colour for '" + rows[y][x] + "'");
        s.setPixel(static_cast<int>(x), static_cast<int>(y), it->second);
      }
    }
    sprites_[name] = std::move(s);
    name.clear();
    rows.clear();
  };
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!name.empty()) {
      if (line.empty())
        finish();
      else
        rows.push_back(line);
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "colour") {
      std::string ch, hex;
      words >> ch >> hex;
      if (ch.size() != 1 || hex.size() != 6) fail("colour wants a character and RRGGBB");
      unsigned v = static_cast<unsigned>(std::stoul(hex, nullptr, 16));
      palette[ch[0]] =
          gfx::rgb(static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF));
    } else if (word == "sprite") {
      words >> name;
      if (name.empty()) fail("sprite wants a name");
    } else {
      fail("unknown line: " + line);
    }
  }
  finish();
}

const gfx::Surface& PixelArt::sprite(const std::string& name) const {
  auto it = sprites_.find(name);
  if (it == sprites_.end()) throw std::runtime_error("no sprite named " + name);
  return it->second;
}

}  // namespace picgen
