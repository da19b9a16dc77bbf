// The small procedures every phase leans on: waits, the stop watch, chances, INI access,
// file existence, text fields and number formatting, and the window helpers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sys/number.h"

using sys::Fixed;

// Waits on the high-resolution counter without pumping window events.
// WaitSec(0) sets a time mark; the next wait is then measured from that mark.
void WaitSec(Fixed seconds);
// Start: stores mark Index (0..100) and returns ""; otherwise the seconds since it, "0.0000000".
std::string StopWatch(int32_t index, bool start);

// A uniform whole number from Low to High, plus Add.
int32_t RandomRange(int32_t low, int32_t high, int32_t add);
// True with a chance of Percent in 100.
bool RandomPercent(double percent);
// True with a chance of one in N (0 never).
bool RandomOneIn(double n);

// The key's value ("" when missing). The overloads also convert it into `value`; when the
// conversion fails the result is "" and `value` keeps what it held.
std::string ReadIni(std::string_view file, std::string_view section, std::string_view key);
std::string ReadIni(std::string_view file, std::string_view section, std::string_view key, std::string& value);
std::string ReadIni(std::string_view file, std::string_view section, std::string_view key, int32_t& value);
std::string ReadIni(std::string_view file, std::string_view section, std::string_view key, Fixed& value);
std::string ReadIni(std::string_view file, std::string_view section, std::string_view key, bool& value);
// Nonzero on success, 0 when the file could not be written.
int32_t WriteIni(std::string_view file, std::string_view section, std::string_view key, std::string_view value);

bool FileExists(std::string_view path);
// The Index-th (from 1) field of Text between delimiters; "" past the last.
std::string GetField(std::string_view text, int32_t index, std::string_view delimiter);
// A number as text, right-aligned to Width (0: no padding) and converted by Conv (1 upper, 4 wide).
std::string FormatNum(std::string_view value, int32_t width, int32_t conv);

// A name as text, never markup: its braces become the full-width ones, which read the same.
std::string AsPlainText(std::string_view s);
