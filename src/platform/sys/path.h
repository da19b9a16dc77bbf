// Paths behave as on the platform the game was made for: "\" separates folders, names match
// without regard to letter case, and trailing blanks or dots of a name are ignored.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sys {

// The real path for a path written the game's way. Each existing component is matched
// case-insensitively (ASCII letters), ignoring trailing blanks and dots; a missing
// component is kept as written, minus those trailing blanks and dots.
std::filesystem::path resolvePath(std::string_view gamePath);

// True when the file or folder exists (after resolvePath).
bool fileExists(std::string_view gamePath);

// The folder written with exactly one separator at its end; "" (the current folder) stays "".
std::string withTrailingSeparator(std::string folder);

// The folder that holds the running program, with a trailing "/".
std::string appFolder();
// Tests point the program's folder elsewhere; "" restores the real one.
void setAppFolderForTests(std::string folder);

// Reads a whole file; false when it cannot be read (missing, a folder, no permission).
bool readFile(std::string_view gamePath, std::string& out);
// Writes a whole file through a temporary file and a rename, so that a failed write never
// leaves a half-written file in place of a good one. False on any failure.
bool writeFileAtomic(std::string_view gamePath, std::string_view contents);
// Tests make every writeFileAtomic fail with this error, as a read-only or full disk does, before
// anything is written; 0 writes again.
void setWriteErrorForTests(int error);
// Deletes the temporary files writeFileAtomic left in a folder when a write was killed half
// way: only those of processes that are gone. Answers how many went; errors are ignored.
int removeStaleWorkFiles(std::string_view gameFolder);

}  // namespace sys
