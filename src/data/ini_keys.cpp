#include "data/ini_keys.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "sys/path.h"
#include "system/utility.h"

namespace data_detail {
namespace {

// The reader trims blanks around a value and drops one pair of outer quotes; quoting such a
// value keeps a name like " ブルー " or "'A'" as it was written.
std::string storedValue(const std::string& v) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  bool quoted = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
  if (!v.empty() && (blank(v.front()) || blank(v.back()) || quoted)) return '"' + v + '"';
  return v;
}

}  // namespace

bool WriteIniKeys(std::string_view fileName, const std::vector<IniEntry>& entries) {
  namespace fs = std::filesystem;
  fs::path target = sys::resolvePath(fileName);
  fs::path work = target;
  work += ".keys-" + std::to_string(::getpid());
  std::string old;
  if (!sys::readFile(fileName, old)) old.clear();  // a missing file is created
  if (!sys::writeFileAtomic(work.string(), old)) return false;
  bool ok = true;
  for (const IniEntry& e : entries) {
    if (WriteIni(work.string(), e.section, e.key, storedValue(e.value)) == 0) {
      ok = false;
      break;
    }
  }
  std::error_code ec;
  if (ok) {
    fs::rename(work, target, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(work, ec);
  return ok;
}

}  // namespace data_detail
