// Profile strings: the INI files that hold settings and saved games, read and written by the
// rules of the platform those files come from, so that files written by either side agree.
//
//   [Section]        a section; names in brackets, blanks around them ignored
//   Key = Value      blanks around key and value ignored; one pair of outer quotes dropped
//   ; text           a comment, only at the start of a line
//
// Blanks are spaces, tabs and vertical tabs. Section and key names match regardless of ASCII
// letter case; of duplicates the first wins.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sys {

// The longest value a read gives back, in characters (the platform's 255-character buffer).
constexpr size_t kProfileValueMax = 254;

// The value of Key in Section, or `fallback` when the file, the section or the key is missing
// or the file cannot be read. The value ends at a NUL byte and after kProfileValueMax
// characters. Files may be UTF-8 (with or without a byte-order mark) or the old code page.
std::string readProfileString(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view fallback = "");

// Sets Key in Section to Value. An existing key's line is rewritten in place (and given a line
// end if it was the file's last line without one); a missing key is added after the last key
// line of its section, above the comments that close it, a missing section at the end of the file; a
// missing file is created (its folder is not). Every other line stays byte for byte; new lines
// end in CR LF. Line breaks inside Value become blanks, so a value can never add lines; a value
// with blanks at its ends or outer quotes of its own is written quoted, so it reads back as is.
// False when nothing was written: an empty section or key name, a file that exists but cannot
// be read, a path that is a folder, a folder that is missing or cannot be written.
bool writeProfileString(std::string_view file, std::string_view section, std::string_view key, std::string_view value);

struct ProfileEntry {
  std::string section;
  std::string key;
  std::string value;
};

// Sets every key as writeProfileString does, in order, with one rewrite of the file: all of
// them land, or the file stays as it was. False as for writeProfileString.
bool writeProfileStrings(std::string_view file, const std::vector<ProfileEntry>& entries);

}  // namespace sys
