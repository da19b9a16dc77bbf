// Values for ScriptedRandom that make the game's chances come out as a test wants, so a test
// reads as the rule it checks instead of as raw numbers.
//
//   ScriptedRandom script{kYes, kNo, Range(1, 3, 2)};  // 50 % yes, 30 % no, RandomRange(1, 3) = 2
#pragma once

#include <cstdint>

namespace testing_support {

// RandomPercent(p) comes true for any whole p from 1 up, and false for any p below 100.
inline constexpr double kYes = 0.0995;
inline constexpr double kNo = 0.0;
// RandomOneIn(n) comes true for any n, and false for any n above 1.0001.
inline constexpr double kOneInYes = 0.0;
inline constexpr double kOneInNo = 0.99999;

// The draw that makes RandomRange(low, high, add) give value + add.
constexpr double Range(int32_t low, int32_t high, int32_t value) {
  return (static_cast<double>(value - low) + 0.5) / static_cast<double>(high - low + 1);
}

}  // namespace testing_support
