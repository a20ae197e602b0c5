#pragma once

#include "database/SpectrumSettings.h"

#include <string>

// How the summation curve is shown with the sticks.
enum class SummationMode : int { Off = 0, Display = 1, DisplayOnly = 2 };

// The graph pane as the commands see it: its zoom, orders, summation and overlay. Setters do not
// repaint; the caller asks for a repaint once it has made its changes.
class GraphView {
public:
    static constexpr int kOrders = 5;  // diffraction orders 1 to 5

    virtual ~GraphView() = default;

    virtual double Range() const = 0;  // Å shown across the plot
    virtual void SetRange(double angstrom) = 0;
    virtual double Height() const = 0;  // intensity drawn at full height
    // A height set by hand ends the automatic fit.
    virtual void SetHeight(double intensity) = 0;
    // The height that puts the tallest line in view at 90 % of the plot, found at the next pass.
    virtual void FitHeight() = 0;
    // Whether the height is fitted again after every move.
    virtual bool FitsHeightAutomatically() const = 0;
    virtual bool IsOrderDisplayed(int order) const = 0;  // order 1 to 5
    virtual void SetOrderDisplayed(int order, bool shown) = 0;
    virtual SummationMode Summation() const = 0;
    virtual void SetSummation(SummationMode mode) = 0;
    virtual bool TreatOrderAsRatio() const = 0;
    virtual bool DisplayOverlay() const = 0;
    virtual void SetDisplayOverlay(bool shown) = 0;
    // How the summation makes a synthetic spectrum: profile, velocity, temperature.
    virtual SpectrumSettings Spectrum() const = 0;
    virtual void SetSpectrum(const SpectrumSettings& spectrum) = 0;
    // Throws away the drawing and starts a new pass.
    virtual void Repaint() = 0;
};
