#pragma once

#include <cstdint>
#include <string>

struct DisplayWaveData;

// Intensities are stored as one-byte codes, ten times the decimal logarithm of the relative
// intensity. These convert them to the linear or logarithmic scale the views show.

double LinearIntensity(int code);  // 10^(code/10) rounded to a whole number; 0 for code 0
double LogIntensity(int code);     // code / 10

// The intensity of a line as drawn and printed: scale × ratio × intensity on the chosen scale,
// each factor applied only when asked for.
double IntensityValue(const DisplayWaveData& line, bool linear, bool useRatio, bool useScale);

// The intensity text of the data window and export: one decimal on the logarithmic scale, two
// significant digits on the linear scale, a lone point for zero.
std::string FormatIntensity(const DisplayWaveData& line, bool linear, bool useRatio, bool useScale);

// The status bar's text of a minimum intensity `code` (intensity-code units) on the data
// window's scale: 10^(code/10) rounded, or code/10, with one decimal.
std::string MinimumIntensityText(double code, bool linear);

// The reverse, from a number shown on a scale back to code units, divided first by `ratio`
// (0 gives 0). Never negative, so that an entered minimum never rejects every line.
double DisplayValueToIntensity(double value, bool linear, double ratio);
