#include "analysis/LineCandidates.h"

#include "database/DisplayWaveData.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/TextTables.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

constexpr int kMaxOrder = 5;

// The first record at or above `wavelength` (0.001 Å), or one below it that the caller skips;
// the record count when every record lies below.
uint32_t StartIndex(WavetableFile& file, int32_t wavelength)
{
    const uint32_t found = file.FindRecord(wavelength);
    if (found == WavetableFile::kNotFound) {
        return file.RecordCount() > 0 && file.WavelengthAt(0) > wavelength ? 0 : file.RecordCount();
    }
    uint32_t index = found;
    // An exact hit may sit anywhere in a run of equal wavelengths.
    while (index > 0 && file.WavelengthAt(index - 1) >= wavelength) {
        --index;
    }
    return index;
}

// A wavelength in 0.001 Å, limited to what a record can hold.
int32_t ToCode(double thousandths)
{
    return static_cast<int32_t>(std::clamp(thousandths, -2147483648.0, 2147483647.0));
}

}  // namespace

LineCandidates::LineCandidates(const TextTables& text, TableArray& tables, Options options)
    : m_text(text),
      m_tables(tables),
      m_options(std::move(options)),
      m_emission(m_options.spectrum, tables)
{
}

double LineCandidates::Tolerance(const MeasuredPeak& peak)
{
    return std::max(3.0 * peak.uncertainty, 0.5 * peak.width);
}

void LineCandidates::Gather(const std::vector<MeasuredPeak>& peaks)
{
    m_peaks = &peaks;
    m_forPeaks.assign(peaks.size(), {});
    m_evidence.clear();
    m_byCentre.clear();
    m_maxTolerance = 0.0;
    for (size_t i = 0; i < peaks.size(); ++i) {
        // A peak with no usable centre or tolerance has no candidates.
        if (!std::isfinite(peaks[i].centre) || !std::isfinite(Tolerance(peaks[i]))) {
            continue;
        }
        m_byCentre.emplace_back(peaks[i].centre, i);
        m_maxTolerance = std::max(m_maxTolerance, Tolerance(peaks[i]));
    }
    std::sort(m_byCentre.begin(), m_byCentre.end());
    const auto windows = Windows(peaks);
    for (size_t table = 0; table < m_tables.FileCount(); ++table) {
        if (!m_tables.IsActive(table)) {
            continue;
        }
        m_intensities.assign(size_t{256} * 256, -1.0);
        for (const int order : m_options.orders) {
            if (order < 1 || order > kMaxOrder) {
                continue;
            }
            for (const auto& [low, high] : windows) {
                Walk(table, order, low, high);
            }
        }
    }
    KeepCandidateSpectra();
}

// The peaks' windows (Å), overlapping ones merged, so that no record is read twice per order.
// A wide peak's window may begin below that of a narrower peak before it.
std::vector<std::pair<double, double>> LineCandidates::Windows(
    const std::vector<MeasuredPeak>& peaks) const
{
    std::vector<std::pair<double, double>> reaches;
    for (const auto& [centre, index] : m_byCentre) {
        const double reach = std::max(m_options.evidenceReach, Tolerance(peaks[index]));
        reaches.emplace_back(centre - reach, centre + reach);
    }
    std::sort(reaches.begin(), reaches.end());
    std::vector<std::pair<double, double>> windows;
    for (const auto& [low, high] : reaches) {
        if (!windows.empty() && low <= windows.back().second) {
            windows.back().second = std::max(windows.back().second, high);
        } else {
            windows.emplace_back(low, high);
        }
    }
    return windows;
}

// Without a temperature the expected intensity depends only on the element and the intensity
// code within a table: worked out once for each pair met, not once for each line.
double LineCandidates::Intensity(const WaveData& data, bool useRatios)
{
    if (m_emission.Settings().UsesTemperature()) {
        return m_emission.Intensity(DisplayWaveData(data, useRatios, true, m_text)).intensity;
    }
    double& intensity =
        m_intensities[size_t{data.record.elementCode} << 8 | data.record.intensityCode];
    if (intensity < 0.0) {
        intensity =
            IntensityValue(DisplayWaveData(data, useRatios, true, m_text), true, true, true);
    }
    return intensity;
}

void LineCandidates::Walk(size_t table, int order, double low, double high)
{
    WavetableFile& file = m_tables.FileAt(table);
    // The window holds positions; the tables hold wavelengths at rest.
    const double scale = order * m_emission.Shift();
    const auto lowCode = ToCode(std::floor(low * 1000.0 / scale));
    const auto highCode = ToCode(std::ceil(high * 1000.0 / scale));
    const double divisor = m_options.ordersAsRatios ? order : 1.0;
    for (uint32_t index = StartIndex(file, lowCode); index < file.RecordCount(); ++index) {
        const WaveData data = file.RecordAt(index);
        if (data.record.wavelength > highCode) {
            break;
        }
        if (data.record.wavelength < lowCode || !file.Passes(data.record)) {
            continue;
        }
        const double intensity = Intensity(data, file.UseRatios());
        CandidateLine candidate;
        candidate.table = table;
        candidate.record = index;
        candidate.spectrum = {data.record.elementCode, data.record.valenceCode};
        candidate.order = order;
        candidate.wavelength = data.record.wavelength * 0.001;
        candidate.position = candidate.wavelength * scale;
        candidate.intensity = intensity / divisor;
        candidate.ratio = file.UseRatios() ? m_text.ElementRatio(data.record.elementCode) : 1.0;
        Offer(candidate, *m_peaks);
    }
}

void LineCandidates::Offer(const CandidateLine& line, const std::vector<MeasuredPeak>& peaks)
{
    m_evidence[line.spectrum].push_back(line);
    auto it = std::lower_bound(m_byCentre.begin(), m_byCentre.end(),
                               std::make_pair(line.position - m_maxTolerance, size_t{0}));
    for (; it != m_byCentre.end() && it->first <= line.position + m_maxTolerance; ++it) {
        if (std::abs(line.position - it->first) <= Tolerance(peaks[it->second])) {
            m_forPeaks[it->second].push_back(line);
        }
    }
}

// Drops the spectra no peak could be, and lists each remaining line once: sources often share
// lines, and counting a line twice would count it twice as found or missing.
void LineCandidates::KeepCandidateSpectra()
{
    std::map<SpectrumKey, std::vector<CandidateLine>> kept;
    for (const auto& candidates : m_forPeaks) {
        for (const CandidateLine& line : candidates) {
            if (!kept.contains(line.spectrum)) {
                kept[line.spectrum] = std::move(m_evidence[line.spectrum]);
            }
        }
    }
    for (auto& [spectrum, lines] : kept) {
        std::sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
            return std::tie(a.position, a.order, a.wavelength) <
                   std::tie(b.position, b.order, b.wavelength);
        });
        lines.erase(std::unique(lines.begin(), lines.end(),
                                [](const auto& a, const auto& b) { return a.SameLineAs(b); }),
                    lines.end());
    }
    m_evidence = std::move(kept);
}
