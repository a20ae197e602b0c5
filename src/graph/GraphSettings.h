#pragma once

#include "database/SpectrumSettings.h"
#include "graph/Colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class SettingsStore;
class TableArray;

// The graph pane's settings, kept under "Software\\Spekla\\Graph Window", and the zoom
// arithmetic on them. Wavelengths and widths are in Å; heights are linear intensities (the one
// at the top of the plot). Every method keeps the values inside their limits (framework/Limits.h).
class GraphSettings {
public:
    static constexpr std::size_t kOrders = 5;
    static constexpr std::size_t kElementColours = 5;
    static constexpr std::size_t kElementNameLength = 4;

    // Missing values, and values of the wrong type or outside their limits, keep the default.
    // Table colours are read by each table's label and kept by its index.
    void Restore(SettingsStore& store, const TableArray& tables);
    // Writes every value, and one colour per table under its current label.
    void Save(SettingsStore& store, const TableArray& tables) const;

    // The restored colour of the table at `tableIndex`, else the default palette's.
    Colour TableColour(std::size_t tableIndex) const;
    void SetTableColour(std::size_t tableIndex, Colour colour);
    // Light yellow, red, blue, green, magenta, cyan, then white for every further table.
    static Colour DefaultTableColour(std::size_t tableIndex);

    // linearHeight times heightFactor, at most the height limit.
    void IncreaseIntensity();
    // linearHeight divided by heightFactor, at least minimumHeight and the height limit.
    void DecreaseIntensity();
    // range plus rangeStep, at most the range limit; false when it was already there.
    bool IncreaseRange();
    // Narrows by rangeStep but not below 1 Å; false (nothing changes) when range is 1 or less.
    bool DecreaseRange();
    // False, changing nothing, outside the range limit or not finite.
    bool SetRange(double value);
    // False, changing nothing, outside the height limit or not finite.
    bool SetHeight(double value);
    // The height that puts `tallest` at 90 % of the plot, within the height limit; with a
    // temperature set it may go below the limit's lowest, since a plasma's intensities per atom
    // can be far smaller than any table's.
    void FitHeightTo(double tallest);

    bool operator==(const GraphSettings&) const = default;

    Colour labelColour{192, 192, 192};
    Colour summationColour{255, 255, 255};
    Colour overlayColour{255, 255, 255};
    std::array<bool, kOrders> orderDisplayed{true, false, false, false, false};
    std::array<Colour, kOrders> orderColours{Colour{210, 210, 210}, Colour{180, 180, 180},
                                             Colour{150, 150, 150}, Colour{120, 120, 120},
                                             Colour{90, 90, 90}};
    double rangeStep = 0.5;           // Å added or taken by one range step, 0.01..10
    double lineWidth = 0.9;           // Å, 0.01..10
    double linearHeight = 150.0;      // 10..100000
    double minimumHeight = 10.0;      // the lowest linearHeight a decrease gives, 1..100000
    double heightFactor = 1.2;        // one intensity step, 1.01..2
    double range = 4.0;               // Å across the plot, 0.01..100000
    std::uint32_t summationMode = 0;  // 0..2
    bool displayOverlay = false;
    std::uint32_t overlayStyle = 0;   // 0 automatic, 1 curve, 2 sticks (OverlayView::Style)
    bool overlayOnLineScale = false;  // else the overlay's own scale, fitted to it
    bool fitHeight = true;            // the tallest line in view at 90 % after every move
    bool useElementColours = false;
    bool treatOrderAsRatio = true;
    // Defaults that show on the black plot: orange, spring green, sky blue, pink, gold.
    std::array<Colour, kElementColours> elementColours{Colour{255, 165, 0}, Colour{0, 255, 127},
                                                       Colour{135, 206, 235}, Colour{255, 192, 203},
                                                       Colour{255, 215, 0}};
    std::array<std::string, kElementColours> elementNames;  // at most 4 letters each
    SpectrumSettings spectrum;  // how the summation curve makes a synthetic spectrum

private:
    std::vector<Colour> m_tableColours;  // by table index, as restored or set
};
