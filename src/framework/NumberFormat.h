#pragma once

#include <string>

// Locale-independent number texts. The program's files and displays always use a decimal point,
// whatever locale the desktop sets, so nothing here goes through printf or iostream locales.

// The stream's default form: up to 6 significant digits, shortest text (1, 0.25, 2.5, 1e+06).
std::string FormatDefault(double value);
// The fewest digits that read back as exactly `value`.
std::string FormatShortest(double value);

// Fixed-point with exactly `decimals` digits after the point; no point when `decimals` is 0.
// Negative `decimals` count as 0.
std::string FormatFixed(double value, int decimals);

// Fixed-point with `decimals` digits and the point always shown (3. for 0 decimals).
std::string FormatFixedPoint(double value, int decimals);

// `significant` significant digits with the point always shown and trailing zeros kept:
// (4, 2) gives 4.0, (10, 2) gives 10., (0.5, 2) gives 0.50, (1, 3) gives 1.00.
std::string FormatPointShown(double value, int significant);

// Reads a leading decimal number the way atof does: leading blanks skipped, the longest valid
// prefix taken, 0 when there is none. Always uses the decimal point.
double ParseLeadingDouble(const std::string& text);
