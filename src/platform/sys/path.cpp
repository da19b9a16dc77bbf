#include "sys/path.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace sys {
namespace fs = std::filesystem;
namespace {

std::string gAppFolderOverride;

std::string stripTrailing(std::string_view name) {
  size_t n = name.size();
  while (n > 0 && (name[n - 1] == ' ' || name[n - 1] == '.')) --n;
  // "." and ".." stay what they are.
  if (n == 0 && !name.empty() && name.find_first_not_of('.') == std::string_view::npos) return std::string(name);
  return std::string(name.substr(0, n));
}

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

fs::path resolvePath(std::string_view gamePath) {
  std::string p(gamePath);
  for (char& c : p)
    if (c == '\\') c = '/';
  fs::path out = (!p.empty() && p[0] == '/') ? fs::path("/") : fs::path();
  size_t i = 0;
  bool searching = true;  // stop matching once a component is missing
  while (i <= p.size()) {
    size_t j = p.find('/', i);
    if (j == std::string::npos) j = p.size();
    std::string part = stripTrailing(std::string_view(p).substr(i, j - i));
    i = j + 1;
    if (part.empty()) continue;
    if (part == "." || part == "..") {
      out /= part;
      continue;
    }
    fs::path base = out.empty() ? fs::path(".") : out;
    std::error_code ec;
    if (searching && fs::exists(base / part, ec)) {
      out /= part;
      continue;
    }
    bool found = false;
    if (searching && fs::is_directory(base, ec)) {
      for (const auto& e : fs::directory_iterator(base, ec)) {
        std::string name = e.path().filename().string();
        if (sameName(stripTrailing(name), part)) {
          out /= name;
          found = true;
          break;
        }
      }
    }
    if (!found) {
      searching = false;
      out /= part;
    }
  }
  return out;
}

bool fileExists(std::string_view gamePath) {
  std::error_code ec;
  return fs::exists(resolvePath(gamePath), ec);
}

std::string appFolder() {
  if (!gAppFolderOverride.empty()) return gAppFolderOverride;
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  std::string dir = ec ? fs::current_path(ec).string() : exe.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

void setAppFolderForTests(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  gAppFolderOverride = std::move(folder);
}

bool readFile(std::string_view gamePath, std::string& out) {
  fs::path p = resolvePath(gamePath);
  std::error_code ec;
  if (!fs::is_regular_file(p, ec)) return false;
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  out = std::move(data);
  return true;
}

bool writeFileAtomic(std::string_view gamePath, std::string_view contents) {
  fs::path p = resolvePath(gamePath);
  fs::path tmp = p;
  tmp += ".tmp-" + std::to_string(::getpid());
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(tmp.c_str());
      return false;
    }
  }
  std::error_code ec;
  fs::rename(tmp, p, ec);
  if (ec) {
    fs::remove(tmp, ec);
    return false;
  }
  return true;
}

}  // namespace sys
