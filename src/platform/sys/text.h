// Text services of the platform: number formatting by pattern, case and width conversion,
// and reading text files written in either UTF-8 or the old Japanese code page.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "sys/number.h"

namespace sys {

// The platform's Format with a number pattern: "0", "00", "0000", "00000000", "0.0000",
// "0.0000000", "#,##0" and the like ('0' a digit always shown, '#' one shown when needed,
// ',' thousands groups, '.' the decimal point; other characters are copied). Digits round
// half away from zero, as that Format did, on the value's 15 significant decimal digits.
// An empty pattern gives the shortest text of the value.
std::string format(double value, std::string_view pattern);
// The same, exact on the four decimals of a fixed-point value.
std::string format(Fixed value, std::string_view pattern);
// Format with a date pattern: "yyyy", "yy", "m"/"mm" (month; minutes right after an hour),
// "d"/"dd", "h"/"hh", "n"/"nn" (minutes), "s"/"ss"; other characters are copied, so
// "h時" gives "8時" at eight and "yyyy年mm月dd日" gives "2024年03月05日".
std::string formatTime(const std::tm& t, std::string_view pattern);
// The same for a moment in local time.
std::string formatTime(std::time_t t, std::string_view pattern);

// Conversion flags of the platform's StrConv; kUpperCase | kLowerCase is proper case.
enum StrConvFlags : int { kUpperCase = 1, kLowerCase = 2, kProperCase = 3, kWide = 4, kNarrow = 8 };
// Case (ASCII and full-width Latin letters) and width: wide turns ASCII into its full-width
// forms, the blank into the ideographic blank, and half-width katakana into full-width
// katakana (a following voiced or semi-voiced mark joins its letter: "ｶﾞ" becomes "ガ").
// Narrow turns full-width ASCII forms and the ideographic blank back into ASCII.
std::string strConv(std::string_view text, int flags);

// Equal but for the case of ASCII letters (the platform's text compare of names and tags).
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view bytes);

// Text file contents as UTF-8: a byte-order mark is dropped; bytes that are not valid UTF-8
// are read as the Japanese code page (CP932) of the original platform, and a byte that is
// not valid there either becomes U+FFFD.
std::string decodeTextFile(std::string_view bytes);

// UTF-8, shared by every piece that walks text by character. A malformed byte reads as U+FFFD
// and is stepped over on its own, so a damaged text never stalls or skips good characters.
char32_t nextCodePoint(std::string_view text, size_t& i);
void appendUtf8(std::string& out, char32_t c);
std::u32string toCodePoints(std::string_view text);
std::string toUtf8(std::u32string_view text);

// Splits into lines at CR LF, LF or a lone CR; no line keeps a CR. A terminator at the very
// end does not start another line, so "a\r\nb\r\n" gives two lines and "" gives none.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace sys
