#include "graph/GraphPass.h"

#include "database/TableArray.h"
#include "database/WavetableFile.h"

#include <cmath>

GraphPass::GraphPass(const TextTables& text, TableArray& tables) : m_text(text), m_tables(tables) {}

void GraphPass::Start(const Settings& settings)
{
    m_settings = settings;
    m_emission.emplace(settings.spectrum, m_tables);
    m_order = kOrders + 1;
    m_table = 0;
    m_tableStarted = false;
    NextOrder();
}

double GraphPass::Origin(int order) const
{
    return m_settings.centre * 0.001 / order - m_settings.range * 0.5;
}

namespace {

constexpr double kEdgeTolerance = 1e-6;  // thousandths of an Å: rounding, not a line apart

}  // namespace

int GraphPass::X(int order, int32_t wavelength, int width) const
{
    const double left = static_cast<double>(m_settings.centre) / order - m_settings.range * 500.0;
    const double share = (wavelength - left) / (m_settings.range * 1000.0);
    return static_cast<int>(std::floor(share * width + kEdgeTolerance));
}

bool GraphPass::InPlot(int order, int32_t wavelength) const
{
    const double left = static_cast<double>(m_settings.centre) / order - m_settings.range * 500.0;
    return wavelength >= left - kEdgeTolerance &&
           wavelength <= left + m_settings.range * 1000.0 + kEdgeTolerance;
}

std::array<int32_t, 3> GraphPass::LabelWavelengths(int32_t centre, double range, int order)
{
    const int32_t middle = centre / order;
    const auto edge = [&](double offset) {
        return static_cast<int32_t>(std::trunc(middle + offset));
    };
    return {edge(-range * 500.0), middle, edge(range * 500.0)};
}

// Moves to the next displayed order below the current one; false when there is none.
bool GraphPass::NextOrder()
{
    while (--m_order > 0) {
        if (m_settings.orders[static_cast<size_t>(m_order - 1)]) {
            m_table = m_tables.FileCount();
            m_tableStarted = false;
            // The walks run over the tables' own wavelengths: the plot's, moved back.
            m_low = (Origin(m_order) - m_settings.reach) / m_emission->Shift();
            m_high = (Origin(m_order) + m_settings.range + m_settings.reach) / m_emission->Shift();
            return true;
        }
    }
    return false;
}

bool GraphPass::Step(const Visitor& visit)
{
    while (!IsComplete()) {
        if (m_table == 0) {
            NextOrder();
            continue;
        }
        if (!m_tableStarted) {
            StartTable();
        }
        const bool down = StepDown(visit);
        const bool up = StepUp(visit);
        if (!down && !up) {
            --m_table;  // next table, or the order is done
            m_tableStarted = false;
        }
        return true;
    }
    return false;
}

// Both walks start at the record nearest the order's centre; a table that lies wholly to one
// side is walked inward from its nearer end; an empty or inactive table is passed over.
void GraphPass::StartTable()
{
    m_tableStarted = true;
    m_downActive = m_upActive = false;
    const WavetableFile& file = m_tables.FileAt(m_table - 1);
    if (!file.IsActive() || file.RecordCount() == 0) {
        return;
    }
    const double shift = m_emission->Shift();
    const int32_t target =
        shift == 1.0 ? m_settings.centre / m_order
                     : static_cast<int32_t>(std::lround(m_settings.centre / (m_order * shift)));
    const uint32_t found = m_tables.FileAt(m_table - 1).FindRecord(target);
    if (found != WavetableFile::kNotFound) {
        m_indexBelow = found;
        m_indexAbove = found + 1;
        m_downActive = true;
        m_upActive = m_indexAbove < file.RecordCount();
        return;
    }
    if (file.RecordAt(0).record.wavelength > target) {
        m_indexAbove = 0;
        m_upActive = true;
    } else {
        m_indexBelow = file.LastIndex();
        m_downActive = true;
    }
}

bool GraphPass::StepDown(const Visitor& visit)
{
    if (!m_downActive) {
        return false;
    }
    const auto line = DisplayWaveData::FromFile(m_tables.FileAt(m_table - 1), m_indexBelow, m_text);
    if (!line || line->record.wavelength * 0.001 < m_low) {
        m_downActive = false;
        return false;
    }
    Offer(*line, visit);
    m_downActive = m_indexBelow > 0;
    --m_indexBelow;
    return true;
}

bool GraphPass::StepUp(const Visitor& visit)
{
    if (!m_upActive) {
        return false;
    }
    const auto line = DisplayWaveData::FromFile(m_tables.FileAt(m_table - 1), m_indexAbove, m_text);
    if (!line || line->record.wavelength * 0.001 > m_high) {
        m_upActive = false;
        return false;
    }
    Offer(*line, visit);
    ++m_indexAbove;
    m_upActive = m_indexAbove < m_tables.FileAt(m_table - 1).RecordCount();
    return true;
}

// Lines that pass the filter and lie within reach of the plot are visited.
void GraphPass::Offer(const DisplayWaveData& line, const Visitor& visit) const
{
    const double wavelength = line.record.wavelength * 0.001;
    if (line.passes == 0 || wavelength < m_low || wavelength > m_high) {
        return;
    }
    Visit found;
    found.line = line;
    found.order = m_order;
    found.wavelength = wavelength * m_emission->Shift();
    found.position = m_emission->Shift() == 1.0
                         ? line.record.wavelength
                         : static_cast<int32_t>(std::lround(found.wavelength * 1000.0));
    const LineEmission::Strength strength = m_emission->Intensity(line);
    found.intensity = strength.intensity;
    found.computed = strength.computed;
    if (m_settings.treatOrderAsRatio) {
        found.intensity /= m_order;
    }
    found.inPlot = InPlot(m_order, found.position);
    visit(found);
}
