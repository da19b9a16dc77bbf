#include "data/ini_keys.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "sys/path.h"
#include "system/utility.h"

namespace data_detail {

bool WriteIniKeys(std::string_view fileName, const std::vector<IniEntry>& entries) {
  namespace fs = std::filesystem;
  fs::path target = sys::resolvePath(fileName);
  fs::path work = target;
  work += ".keys-" + std::to_string(::getpid());
  std::string old;
  std::error_code ec;
  if (!sys::readFile(fileName, old)) {
    if (fs::exists(target, ec)) return false;  // there but unreadable: never replace it
    old.clear();                               // missing: created
  }
  if (!sys::writeFileAtomic(work.string(), old)) return false;
  bool ok = true;
  for (const IniEntry& e : entries) {
    if (WriteIni(work.string(), e.section, e.key, e.value) == 0) {
      ok = false;
      break;
    }
  }
  if (ok) {
    fs::rename(work, target, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(work, ec);
  return ok;
}

}  // namespace data_detail
