#pragma once

#include "framework/DoubleRange.h"

// The range of every value the user sets, each defined once: typed commands, menu commands,
// dialogs and the settings store check against these, and their warnings are built from them.
namespace Limits {

inline constexpr DoubleRange kRatio{0.0, 1000.0};               // an element's intensity ratio
inline constexpr DoubleRange kSourceScale{0.0, 1000.0};         // a data source's scale
inline constexpr DoubleRange kMinimumIntensity{0.0, 100000.0};  // on the scale the list shows
inline constexpr DoubleRange kGraphRange{0.01, 100000.0};       // Å across the plot
inline constexpr DoubleRange kRangeStep{0.01, 10.0};            // Å a range change adds
inline constexpr DoubleRange kLineWidth{0.01, 10.0};            // Å, of a stick and its peak
inline constexpr DoubleRange kGraphHeight{10.0, 100000.0};      // linear intensity at the top
inline constexpr DoubleRange kLowestHeight{1.0, 100000.0};      // the lowest a decrease gives
inline constexpr DoubleRange kHeightChange{1.0, 100.0};         // per cent a height change adds
inline constexpr DoubleRange kExportRange{0.0, 10.0};           // Å exported about the line
inline constexpr DoubleRange kPeakThreshold{1.0, 100.0};        // noise σ a peak stands above
inline constexpr DoubleRange kProfileWidth{0.0001, 100.0};      // Å, a profile's FWHM
inline constexpr DoubleRange kResolution{10.0, 10000000.0};     // resolving power λ/Δλ
inline constexpr DoubleRange kVelocity{-100000.0, 100000.0};    // km/s, of the source
inline constexpr DoubleRange kTemperature{0.01, 100.0};         // eV, of the plasma
inline constexpr DoubleRange kDensity{1e6, 1e26};               // electrons per cm³
inline constexpr DoubleRange kLogDensity{6.0, 26.0};            // the same as its log10
inline constexpr int kMaxDecimals = 4;                          // decimals shown, from 0

}  // namespace Limits
