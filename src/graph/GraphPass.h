#pragma once

#include "analysis/LineEmission.h"
#include "database/DisplayWaveData.h"
#include "database/SpectrumSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

class TableArray;
class TextTables;

// One drawing pass of the graph over the tables, spread over many small steps: orders from the
// fifth down to the first, tables from the last to the first, and in each table two walks out
// from the centre, one record each way per step, so the nearest lines come first. Lines a
// profile's reach beyond the plot are visited too (they add to the summation but draw nothing).
// Lines stand where the source's velocity moves them, with the intensity the synthetic
// spectrum's settings give them.
class GraphPass {
public:
    static constexpr int kOrders = 5;

    struct Visit {
        DisplayWaveData line;
        int order = 1;
        double wavelength = 0.0;  // Å, where the velocity puts the line
        int32_t position = 0;     // the same in 0.001 Å
        double intensity = 0.0;   // linear scale, ratio and scale applied, divided by the order
                                  // when orders count as ratios
        bool computed = false;    // the intensity comes from atomic data at the temperature
        bool inPlot = false;      // inside the plot of its order: it gets a stick
    };
    using Visitor = std::function<void(const Visit&)>;

    struct Settings {
        int32_t centre = 0;  // the current wavelength, 0.001 Å
        double range = 4.0;  // Å across the plot
        double reach = 0.0;  // Å beyond each edge still visited
        std::array<bool, kOrders> orders{true, false, false, false, false};
        bool treatOrderAsRatio = true;
        SpectrumSettings spectrum;
    };

    // Both must outlive the pass.
    GraphPass(const TextTables& text, TableArray& tables);

    void Start(const Settings& settings);
    // One step: at most one record each way in the table being walked. False once complete; a
    // complete pass stays complete until the next Start.
    bool Step(const Visitor& visit);
    bool IsComplete() const { return m_order == 0; }

    // The left edge (Å) of the plot of `order` (1 to 5).
    double Origin(int order) const;
    // Where a line of `order` at `wavelength` (0.001 Å) stands across a plot `width` pixels
    // wide: 0 at the left edge, `width` at the right. Computed in thousandths, so that a line
    // exactly on an edge is on it whatever the centre.
    int X(int order, int32_t wavelength, int width) const;
    bool InPlot(int order, int32_t wavelength) const;
    // The wavelengths (0.001 Å) written at the left, middle and right over the plot of `order`.
    static std::array<int32_t, 3> LabelWavelengths(int32_t centre, double range, int order);
    int CurrentOrder() const { return m_order; }
    // The table being walked, for progress texts; FileCount() between tables.
    std::size_t CurrentTable() const { return m_table; }

private:
    bool NextOrder();
    void StartTable();
    bool StepDown(const Visitor& visit);
    bool StepUp(const Visitor& visit);
    void Offer(const DisplayWaveData& line, const Visitor& visit) const;

    const TextTables& m_text;
    TableArray& m_tables;
    Settings m_settings;
    int m_order = 0;          // 0: complete
    std::size_t m_table = 0;  // walking m_table - 1; 0: the order's tables are done
    bool m_tableStarted = false;
    bool m_downActive = false;
    bool m_upActive = false;
    uint32_t m_indexBelow = 0;
    uint32_t m_indexAbove = 0;
    double m_low = 0.0;  // the walks stop beyond these wavelengths (Å)
    double m_high = 0.0;
    std::optional<LineEmission> m_emission;
};
