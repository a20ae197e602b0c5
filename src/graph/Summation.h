#pragma once

#include "analysis/LineProfile.h"

#include <cstddef>
#include <optional>
#include <vector>

// The summation curve: the sum of a line profile centred on every line of a drawing pass, as
// samples two pixels apart across the plot, so that the user sees how neighbouring lines of
// the chosen width would blend in a measured spectrum. Intensities are on the linear scale.
// With a Gaussian, Lorentzian or Voigt profile set, it is a synthetic spectrum: those profiles
// at the widths the settings give, added onto samples that start at 0.
class Summation {
public:
    static constexpr double kFloor = 0.001;  // every sample starts a pass here, not at 0

    // The plot's width in pixels, its range and the line width in Å. A width under 2 pixels
    // gives no samples (nothing is added, nothing drawn); a range or line width below the
    // smallest allowed (0.01) or not finite is taken as 0.01.
    void Setup(int width, double range, double lineWidth);
    // The profile of every line from now on: the standard curve of the line width, or one of
    // the settings' profiles. The samples start again.
    void SetSpectrum(const SpectrumSettings& spectrum);
    // Every sample back to where a pass starts: kFloor for the standard curve, else 0.
    void Restart();
    // The wavelength (Å) of the left edge for the order being added.
    void SetOrigin(double origin) { m_origin = origin; }

    // Adds one line's profile: `wavelength` in Å, `intensity` on the linear scale. A line
    // that is not finite or not above 0 adds nothing; samples never become infinite.
    void Add(double intensity, double wavelength);

    // How far (Å) from a line at `wavelength` its profile still adds: 1 or 2 line widths for
    // the standard curve. Lines this far outside the plot still raise its edge samples.
    double ReachAngstrom(double wavelength) const;

    const std::vector<double>& Samples() const { return m_samples; }
    std::size_t Count() const { return m_samples.size(); }
    double Origin() const { return m_origin; }
    double Range() const { return m_range; }
    double UnitsPerSample() const { return m_unitsPerSample; }

    // The profile by the formula itself, for checking the tabulated one: a line's share of its
    // intensity at `distance` Å for a line width in Å, on a wide plot (reach 1) or not.
    static double ExactProfile(double distance, double lineWidth, bool wide);

    // The height in pixels of a sample in a plot `plotHeight` high where `linearHeight` reaches
    // the top; limited to 32766, never negative.
    static int SampleHeight(double sample, int plotHeight, double linearHeight);

private:
    int Reach() const;  // 1 for wide plots (range above 25 Å), else 2
    double Floor() const { return m_profile ? 0.0 : kFloor; }

    std::vector<double> m_samples;
    double m_range = 4.0;
    double m_lineWidth = 0.9;
    double m_origin = 0.0;
    double m_samplesPerUnit = 0.0;
    double m_unitsPerSample = 1.0;
    std::optional<LineProfile> m_profile;  // empty: the standard curve
};
