// Splitting and trimming the comma, slash and blank separated fields of the game's data texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sys/path.h"
#include "sys/text.h"

namespace data_detail {

// Every delimiter splits: n delimiters give n + 1 fields, empty ones included.
inline std::vector<std::string_view> splitAt(std::string_view text, char delimiter) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(delimiter, start);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

inline std::string_view trimBlanks(std::string_view s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// The lines of a text file that hold something, in order; nothing when it cannot be read.
inline std::optional<std::vector<std::string>> filledLines(std::string_view fileName) {
  std::string bytes;
  if (!sys::readFile(fileName, bytes)) return std::nullopt;
  std::vector<std::string> lines;
  for (std::string& line : sys::splitLines(sys::decodeTextFile(bytes)))
    if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

}  // namespace data_detail
