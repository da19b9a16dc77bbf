// The number rules every subsystem shares: a fixed-point type with four decimals,
// rounding half to even, floor and truncation, and text that reads as a number.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sys {

// Four decimal places over a 64-bit integer (the growth values, speeds, prices and waits).
class Fixed {
 public:
  static constexpr int64_t kScale = 10000;

  constexpr Fixed() = default;
  constexpr Fixed(int v) : raw_(int64_t{v} * kScale) {}  // NOLINT: whole numbers convert freely
  constexpr Fixed(int64_t v) : raw_(v * kScale) {}       // NOLINT
  // Fractions convert too, rounded to four decimals (half to even), so that 0.05 never
  // silently becomes a whole 0 on its way in.
  Fixed(double v) : Fixed(fromDouble(v)) {}  // NOLINT
  static constexpr Fixed fromRaw(int64_t raw) {
    Fixed f;
    f.raw_ = raw;
    return f;
  }
  // Rounds to four decimals, half to even.
  static Fixed fromDouble(double d);

  constexpr int64_t raw() const { return raw_; }
  double toDouble() const { return static_cast<double>(raw_) / kScale; }

  constexpr Fixed operator-() const { return fromRaw(-raw_); }
  constexpr Fixed& operator+=(Fixed o) {
    raw_ += o.raw_;
    return *this;
  }
  constexpr Fixed& operator-=(Fixed o) {
    raw_ -= o.raw_;
    return *this;
  }
  Fixed& operator*=(Fixed o);
  Fixed& operator/=(Fixed o);  // a zero divisor gives 0 rather than a trap

  friend constexpr Fixed operator+(Fixed a, Fixed b) { return a += b; }
  friend constexpr Fixed operator-(Fixed a, Fixed b) { return a -= b; }
  friend Fixed operator*(Fixed a, Fixed b) { return a *= b; }
  friend Fixed operator/(Fixed a, Fixed b) { return a /= b; }
  friend constexpr auto operator<=>(Fixed a, Fixed b) = default;
  friend constexpr bool operator==(Fixed a, Fixed b) = default;

 private:
  int64_t raw_ = 0;
};

// Fractional to whole: nearest, half to even (the default conversion).
int32_t roundInt(double v);
int32_t roundInt(Fixed v);
// Floor and truncation toward zero, where the design asks for them by name.
int32_t Int(double v);
int32_t Int(Fixed v);
int32_t Fix(double v);
int32_t Fix(Fixed v);
// Integer division truncating toward zero; a zero divisor gives 0.
int32_t divInt(int32_t a, int32_t b);
// Saturating conversion of a wide value to a whole number.
int32_t clampInt(int64_t v);

// The leading number of a text (blanks skipped, "&H"/"&O" prefixes, decimals, exponent); 0 when none.
double val(std::string_view text);
// A whole text read as a number: blanks around it, a sign, digits with one decimal point and an
// exponent, or an "&H"/"&O" literal; nullopt when it is anything else (empty, "12abc", "1 2").
std::optional<double> parseNumber(std::string_view text);

// The shortest text of a number, as the platform writes a number into text: "10.5", "10",
// "-0.25"; a double keeps up to 15 significant digits.
std::string toText(Fixed v);
std::string toText(double v);

}  // namespace sys
