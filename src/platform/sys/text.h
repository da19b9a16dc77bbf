// Text services of the platform: number formatting by pattern, case and width conversion,
// and reading text files written in either UTF-8 or the old Japanese code page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sys {

// The platform's Format with a pattern: "00000000", "0.0000000", "0", "#,##0", "h時" and the
// other patterns the game uses. Digits round half away from zero, as that Format did.
std::string format(double value, std::string_view pattern);

// Conversion flags of the platform's StrConv.
enum StrConvFlags : int { kUpperCase = 1, kLowerCase = 2, kWide = 4, kNarrow = 8 };
// Upper case and/or full-width forms (ASCII, blank and half-width katakana become full width).
std::string strConv(std::string_view text, int flags);

// Text file contents as UTF-8: a byte-order mark is dropped; bytes that are not valid UTF-8
// are read as the Japanese code page (CP932) of the original platform.
std::string decodeTextFile(std::string_view bytes);

// Splits into lines at CR LF, LF or a lone CR; no line keeps a CR.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace sys
