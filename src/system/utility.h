// The small procedures every phase leans on: waits, the stop watch, chances, INI access,
// file existence, text fields and number formatting, and the window helpers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sys/number.h"

using sys::Fixed;

// Waits on sys::clock() without pumping window events (sleeping, then spinning the last moment).
// WaitSec(0) sets a time mark; the next wait then ends Seconds after the mark (at once when
// that moment has passed) and clears it. A negative wait returns at once.
void WaitSec(Fixed seconds);
// Start: stores mark Index (0..100) and returns ""; otherwise the seconds since it, "0.0000000"
// (since this call when the mark was never set). An Index outside 0..100 does nothing: "".
std::string StopWatch(int32_t index, bool start);

// Each draws one Rnd(), whatever the outcome (RandomOneIn(0) draws none).
// floor(r * (High - Low + 1) + Low) + Add.
int32_t RandomRange(int32_t low, int32_t high, int32_t add);
// True with a chance of Percent in 100: exact for whole percents, always from 100 up, never at
// 0 or below.
bool RandomPercent(double percent);
// True with a chance of one in N: false for 0, always true for any other N up to 1.
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
// A number as text, rounded half away from zero; with a Width, five blanks in front and the last
// Width characters kept; then converted by Conv (sys::strConv flags: 1 upper, 4 wide, 5 both).
// A Value that is not wholly a number gives its leading number, with no width step.
std::string FormatNum(std::string_view value, int32_t width, int32_t conv);
