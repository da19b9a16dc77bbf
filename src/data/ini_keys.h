// Writes a list of INI keys as one change: all of them land, or the file stays as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace data_detail {

struct IniEntry {
  std::string section;
  std::string key;
  std::string value;
};

// The keys go, in order, into a copy of the file beside it, which then replaces the file;
// keys already there are overwritten in place, everything else stays. False on any failure.
bool WriteIniKeys(std::string_view fileName, const std::vector<IniEntry>& entries);

}  // namespace data_detail
