#include "data/ini_keys.h"

namespace data_detail {

// A saved game is some 150 keys: one rewrite instead of one per key.
bool WriteIniKeys(std::string_view fileName, const std::vector<IniEntry>& entries) {
  return sys::writeProfileStrings(fileName, entries);
}

}  // namespace data_detail
