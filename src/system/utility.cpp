#include "system/utility.h"

#include <array>
#include <cmath>

#include "sys/clock.h"
#include "sys/path.h"
#include "sys/profile.h"
#include "sys/text.h"
#include "system/random.h"
#include "ui/wait.h"

namespace {

// Counter readings with the clock they were taken on; 0 = no mark. A mark of another clock
// (a test installed a new one) counts as none.
struct Mark {
  int64_t tick = 0;
  uint64_t epoch = 0;
  int64_t get() const { return epoch == sys::clockEpoch() ? tick : 0; }
  void set(int64_t t) { tick = t, epoch = sys::clockEpoch(); }
};
ui::PacedWait gWait;
std::array<Mark, 101> gStopMarks{};

}  // namespace

void WaitSec(Fixed seconds) { gWait(seconds); }

std::string StopWatch(int32_t index, bool start) {
  sys::Clock& clock = sys::clock();
  int64_t now = clock.now();
  if (index < 0 || index >= static_cast<int32_t>(gStopMarks.size())) return "";
  if (start) {
    gStopMarks[index].set(now);
    return "";
  }
  int64_t mark = gStopMarks[index].get();
  if (mark == 0) mark = now;
  double seconds = static_cast<double>(clock.now() - mark) / static_cast<double>(clock.frequency());
  return sys::format(seconds, "0.0000000");
}

int32_t RandomRange(int32_t low, int32_t high, int32_t add) {
  double r = Rnd();
  double span = static_cast<double>(high) - low + 1;
  return sys::clampInt(static_cast<int64_t>(std::floor(r * span + low)) + add);
}

bool RandomPercent(double percent) {
  double r = Rnd();
  double n = std::floor(r * 1000) + 1;
  // The remainder of whole numbers: the product is rounded (half to even) before the modulo.
  double m = std::fmod(std::nearbyint(n * percent), 100.0);
  // A chance below zero never comes true (the remainder of a negative product would).
  if (percent <= 0) return false;
  return m < percent;
}

bool RandomOneIn(double n) {
  if (n == 0) return false;
  double k = std::nearbyint(n * 100);
  return std::floor(Rnd() * k) < 100;
}

std::string ReadIni(std::string_view file, std::string_view section, std::string_view key) {
  return sys::readProfileString(file, section, key);
}

std::string ReadIni(std::string_view file, std::string_view section, std::string_view key, std::string& value) {
  value = ReadIni(file, section, key);
  return value;
}

std::string ReadIni(std::string_view file, std::string_view section, std::string_view key, int32_t& value) {
  std::string text = ReadIni(file, section, key);
  auto n = sys::parseNumber(text);
  if (!n || *n >= 2147483647.5 || *n < -2147483648.5) return "";
  value = sys::roundInt(*n);
  return text;
}

std::string ReadIni(std::string_view file, std::string_view section, std::string_view key, Fixed& value) {
  std::string text = ReadIni(file, section, key);
  auto n = sys::parseNumber(text);
  if (!n || std::fabs(*n) >= 9.2e14) return "";
  value = Fixed::fromDouble(*n);
  return text;
}

std::string ReadIni(std::string_view file, std::string_view section, std::string_view key, bool& value) {
  std::string text = ReadIni(file, section, key);
  std::string upper = sys::strConv(text, sys::kUpperCase);
  if (upper == "TRUE") {
    value = true;
  } else if (upper == "FALSE") {
    value = false;
  } else if (auto n = sys::parseNumber(text)) {
    value = *n != 0;
  } else {
    return "";
  }
  return text;
}

int32_t WriteIni(std::string_view file, std::string_view section, std::string_view key, std::string_view value) {
  return sys::writeProfileString(file, section, key, value) ? 1 : 0;
}

bool FileExists(std::string_view path) { return sys::fileExists(path); }

std::string GetField(std::string_view text, int32_t index, std::string_view delimiter) {
  if (index < 1) return "";
  if (delimiter.empty()) return index == 1 ? std::string(text) : std::string();
  size_t start = 0;
  for (int32_t i = 1; i < index; ++i) {
    size_t at = text.find(delimiter, start);
    if (at == std::string_view::npos) return "";
    start = at + delimiter.size();
  }
  size_t end = text.find(delimiter, start);
  if (end == std::string_view::npos) end = text.size();
  return std::string(text.substr(start, end - start));
}

std::string FormatNum(std::string_view value, int32_t width, int32_t conv) {
  std::string text;
  if (auto n = sys::parseNumber(value)) {
    text = sys::format(*n, "0");
    if (width > 0) {
      text = "     " + text;
      if (text.size() > static_cast<size_t>(width)) text = text.substr(text.size() - static_cast<size_t>(width));
    }
  } else {
    text = sys::format(sys::val(value), "0");
  }
  return conv != 0 ? sys::strConv(text, conv) : text;
}

std::string AsPlainText(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '{')
      out += "｛";
    else if (c == '}')
      out += "｝";
    else
      out += c;
  }
  return out;
}
