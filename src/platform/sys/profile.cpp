#include "sys/profile.h"

#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "sys/path.h"
#include "sys/text.h"

namespace sys {
namespace {

// A vertical tab is a blank too, as it is to the platform these files come from.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

struct Line {
  size_t begin, end, next;  // content [begin, end), the next line starts at `next`
};

// Walks the lines of a text (CR LF, LF or lone CR).
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}
  bool next(Line& line) {
    if (pos_ >= text_.size()) return false;
    size_t e = pos_;
    while (e < text_.size() && text_[e] != '\r' && text_[e] != '\n') ++e;
    size_t n = e;
    if (n < text_.size()) n += (text_[n] == '\r' && n + 1 < text_.size() && text_[n + 1] == '\n') ? 2 : 1;
    line = {pos_, e, n};
    pos_ = n;
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// The section name of a header line, or nullopt when the line is not a header.
std::optional<std::string_view> headerName(std::string_view content) {
  std::string_view t = trim(content);
  if (t.empty() || t.front() != '[') return std::nullopt;
  t.remove_prefix(1);
  size_t close = t.find(']');
  if (close != std::string_view::npos) t = t.substr(0, close);
  return trim(t);
}

// For a key line, the key and the raw value; nullopt for comments, headers and other lines.
bool splitKey(std::string_view content, std::string_view& key, std::string_view& value) {
  std::string_view t = trim(content);
  if (t.empty() || t.front() == ';' || t.front() == '[') return false;
  size_t eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  key = trim(t.substr(0, eq));
  value = trim(t.substr(eq + 1));
  return true;
}

// Where a key sits in a text: its line, and the end of its section for appending.
struct Found {
  bool section = false, key = false;
  Line keyLine{};
  std::string_view keyName;  // as the file spells it
  std::string_view value;    // trimmed, quotes not yet dropped
  size_t lastKeyNext = 0;    // after the section's last key line (or its header)
  bool lastKeyHasBreak = true;
};

Found locate(std::string_view text, std::string_view section, std::string_view key) {
  Found f;
  LineCursor cur(text);
  Line line;
  bool inSection = false;
  while (cur.next(line)) {
    std::string_view content = text.substr(line.begin, line.end - line.begin);
    if (auto name = headerName(content)) {
      if (inSection) break;  // the first section of that name is the one
      if (sameName(*name, section)) {
        inSection = f.section = true;
        f.lastKeyNext = line.next;
        f.lastKeyHasBreak = line.next > line.end;
      }
      continue;
    }
    if (!inSection) continue;
    // Comments that close a section belong to what follows: a new key goes above them.
    std::string_view t = trim(content);
    if (!t.empty() && t.front() != ';') {
      f.lastKeyNext = line.next;
      f.lastKeyHasBreak = line.next > line.end;
    }
    std::string_view k, v;
    if (!f.key && splitKey(content, k, v) && sameName(k, key)) {
      f.key = true;
      f.keyLine = line;
      f.keyName = k;
      f.value = v;
    }
  }
  return f;
}

std::string cleanValue(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  size_t nul = v.find('\0');
  if (nul != std::string_view::npos) v = v.substr(0, nul);
  // Count characters, not bytes, and never cut one in half.
  size_t chars = 0, i = 0;
  while (i < v.size() && chars < kProfileValueMax) {
    unsigned char c = static_cast<unsigned char>(v[i]);
    size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    if (i + n > v.size()) break;
    i += n;
    ++chars;
  }
  return std::string(v.substr(0, i));
}

// A value that reading would change (blanks at its ends, or outer quotes of its own) is
// written inside quotes, which reading removes again; every reader of the format agrees.
std::string quoteIfNeeded(std::string v) {
  if (v.empty()) return v;
  bool blankEnd = isBlank(v.front()) || isBlank(v.back());
  bool ownQuotes = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
  return blankEnd || ownQuotes ? "\"" + v + "\"" : v;
}

std::string oneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace

namespace {

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

// Every value of one file's contents, by lower-case section and key; the first of duplicates.
struct Index {
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections;

  explicit Index(std::string_view text) {
    std::unordered_map<std::string, std::string>* current = nullptr;
    std::unordered_set<std::string> seen;
    LineCursor cur(text);
    Line line;
    while (cur.next(line)) {
      std::string_view content = text.substr(line.begin, line.end - line.begin);
      if (auto name = headerName(content)) {
        std::string lower = lowerAscii(*name);
        // A later section of the same name is skipped: lookups stop at the first one.
        current = seen.insert(lower).second ? &sections[lower] : nullptr;
        continue;
      }
      std::string_view k, v;
      if (current && splitKey(content, k, v)) current->try_emplace(lowerAscii(k), cleanValue(v));
    }
  }
};

// Loading a game reads a hundred keys of one file in a row: the file is still read each time,
// so a changed file is always seen, but unchanged contents are not parsed again.
struct ReadCache {
  std::mutex lock;
  std::string bytes;
  std::optional<Index> index;
};

ReadCache& readCache() {
  static ReadCache cache;
  return cache;
}

}  // namespace

std::string readProfileString(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view fallback) {
  std::string bytes;
  if (!readFile(file, bytes)) return std::string(fallback);
  ReadCache& cache = readCache();
  std::lock_guard<std::mutex> guard(cache.lock);
  if (!cache.index || cache.bytes != bytes) {
    cache.index.emplace(decodeTextFile(bytes));
    cache.bytes = std::move(bytes);
  }
  auto sec = cache.index->sections.find(lowerAscii(trim(section)));
  if (sec == cache.index->sections.end()) return std::string(fallback);
  auto value = sec->second.find(lowerAscii(trim(key)));
  if (value == sec->second.end()) return std::string(fallback);
  return value->second;
}

namespace {

// Sets one key in the file's text; false for an empty section or key name.
bool setKey(std::string& text, std::string_view section, std::string_view key, std::string_view value) {
  std::string sec = oneLine(trim(section));
  std::string k = oneLine(trim(key));
  if (sec.empty() || k.empty()) return false;
  std::string v = quoteIfNeeded(oneLine(value));
  Found f = locate(text, sec, k);
  if (f.key) {
    std::string line = std::string(f.keyName) + "=" + v;
    if (f.keyLine.next == f.keyLine.end) line += "\r\n";  // the file's last line had no end
    text.replace(f.keyLine.begin, f.keyLine.end - f.keyLine.begin, line);
  } else if (f.section) {
    std::string add = f.lastKeyHasBreak ? "" : "\r\n";
    add += k + "=" + v + "\r\n";
    text.insert(f.lastKeyNext, add);
  } else {
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
    text += "[" + sec + "]\r\n" + k + "=" + v + "\r\n";
  }
  return true;
}

}  // namespace

bool writeProfileStrings(std::string_view file, const std::vector<ProfileEntry>& entries) {
  namespace fs = std::filesystem;
  fs::path real = resolvePath(file);
  std::error_code ec;
  std::string text, bom;
  if (fs::exists(real, ec)) {
    // Rewriting a file we could not read would lose everything else in it.
    if (fs::is_directory(real, ec) || ::access(real.c_str(), W_OK) != 0) return false;
    if (!readFile(file, text)) return false;
    // A byte-order mark stays, outside the lines, so the first header is still seen as one.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
      bom = text.substr(0, 3);
      text.erase(0, 3);
    }
    // Old files in the legacy code page are rewritten as UTF-8, the files' encoding from now on.
    if (!isValidUtf8(text)) text = decodeTextFile(text);
  }
  for (const ProfileEntry& e : entries)
    if (!setKey(text, e.section, e.key, e.value)) return false;
  return writeFileAtomic(real.string(), bom + text);
}

bool writeProfileString(std::string_view file, std::string_view section, std::string_view key, std::string_view value) {
  return writeProfileStrings(file, {{std::string(section), std::string(key), std::string(value)}});
}

}  // namespace sys
