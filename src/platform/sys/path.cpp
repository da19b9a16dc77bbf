#include "sys/path.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <system_error>

#include "sys/text.h"

namespace sys {
namespace fs = std::filesystem;
namespace {

std::string gAppFolderOverride;
int gWriteError = 0;

constexpr std::string_view kWorkSuffix = ".tmp-";

fs::path workFileOf(const fs::path& p) {
  fs::path tmp = p;
  tmp += std::string(kWorkSuffix) + std::to_string(::getpid());
  return tmp;
}

// The process id of a work file's name, or 0 when the name is no work file's.
pid_t workFileOwner(const std::string& name) {
  size_t at = name.rfind(kWorkSuffix);
  if (at == std::string::npos) return 0;
  std::string digits = name.substr(at + kWorkSuffix.size());
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  return static_cast<pid_t>(std::stol(digits));
}

bool processAlive(pid_t pid) { return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM; }

std::string stripTrailing(std::string_view name) {
  size_t n = name.size();
  while (n > 0 && (name[n - 1] == ' ' || name[n - 1] == '.')) --n;
  // "." and ".." stay what they are.
  if (n == 0 && !name.empty() && name.find_first_not_of('.') == std::string_view::npos) return std::string(name);
  return std::string(name.substr(0, n));
}

// The path with "/" separators and each name stripped of what the platform ignores: the
// answer whenever it exists as written, which is nearly always.
fs::path normalized(std::string_view gamePath) {
  std::string p(gamePath);
  for (char& c : p)
    if (c == '\\') c = '/';
  fs::path out = (!p.empty() && p[0] == '/') ? fs::path("/") : fs::path();
  for (size_t i = 0; i <= p.size();) {
    size_t j = p.find('/', i);
    if (j == std::string::npos) j = p.size();
    std::string part = stripTrailing(std::string_view(p).substr(i, j - i));
    i = j + 1;
    if (!part.empty()) out /= part;
  }
  return out;
}

// Matches each name against the folder's entries regardless of case.
fs::path searchPath(std::string_view gamePath) {
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
        if (sys::equalsIgnoreCase(stripTrailing(name), part)) {
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

}  // namespace

fs::path resolvePath(std::string_view gamePath) {
  fs::path fast = normalized(gamePath);
  std::error_code ec;
  if (fs::exists(fast, ec)) return fast;
  return searchPath(gamePath);
}

bool fileExists(std::string_view gamePath) {
  std::error_code ec;
  return fs::exists(resolvePath(gamePath), ec);
}

std::string withTrailingSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}

std::string appFolder() {
  if (!gAppFolderOverride.empty()) return gAppFolderOverride;
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  std::string dir = ec ? fs::current_path(ec).string() : exe.parent_path().string();
  return dir.empty() ? "/" : withTrailingSeparator(dir);
}

void setAppFolderForTests(std::string folder) { gAppFolderOverride = withTrailingSeparator(std::move(folder)); }

bool readFile(std::string_view gamePath, std::string& out) {
  int fd = ::open(normalized(gamePath).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) fd = ::open(searchPath(gamePath).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  std::string data;
  data.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < data.size()) {
    ssize_t n = ::read(fd, data.data() + got, data.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return false;
    }
    if (n == 0) break;  // shorter than it was a moment ago
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  data.resize(got);
  out = std::move(data);
  return true;
}

void setWriteErrorForTests(int error) { gWriteError = error; }

bool writeFileAtomic(std::string_view gamePath, std::string_view contents) {
  if (gWriteError != 0) {
    errno = gWriteError;
    return false;
  }
  fs::path p = resolvePath(gamePath);
  fs::path tmp = workFileOf(p);
  mode_t mode = 0644;
  struct stat st {};
  if (::stat(p.c_str(), &st) == 0) mode = st.st_mode & 07777;  // a rewrite keeps the file's permissions
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return false;
  bool ok = true;
  for (size_t done = 0; ok && done < contents.size();) {
    ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(tmp.c_str(), p.c_str()) != 0) ok = false;
  if (!ok) ::unlink(tmp.c_str());
  return ok;
}

int removeStaleWorkFiles(std::string_view gameFolder) {
  std::error_code ec;
  int removed = 0;
  for (fs::directory_iterator it(resolvePath(gameFolder), ec), end; !ec && it != end; it.increment(ec)) {
    pid_t owner = workFileOwner(it->path().filename().string());
    if (owner <= 0 || processAlive(owner) || !it->is_regular_file(ec)) continue;
    std::error_code gone;
    if (fs::remove(it->path(), gone)) ++removed;
  }
  return removed;
}

}  // namespace sys
