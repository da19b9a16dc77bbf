// Writes a list of INI keys as one change: all of them land, or the file stays as it was.
#pragma once

#include <string_view>
#include <vector>

#include "sys/profile.h"

namespace data_detail {

using IniEntry = sys::ProfileEntry;

// The keys go in order into the file in one rewrite; keys already there are overwritten in
// place, everything else stays. False on any failure, with the file as it was.
bool WriteIniKeys(std::string_view fileName, const std::vector<IniEntry>& entries);

}  // namespace data_detail
