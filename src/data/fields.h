// Splitting and trimming the comma, slash and blank separated fields of the game's data texts.
#pragma once

#include <string_view>
#include <vector>

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

}  // namespace data_detail
