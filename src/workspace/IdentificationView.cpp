#include "workspace/IdentificationView.h"

#include "command/GraphView.h"

#include <algorithm>

#include <QCoreApplication>
#include <QStringList>

namespace IdentificationView {

Identification::Settings SettingsFor(double sigmas, const GraphView* graph)
{
    Identification::Settings settings;
    settings.sigmas = sigmas;
    if (graph != nullptr) {
        settings.orders.clear();
        for (int order = 1; order <= GraphView::kOrders; ++order) {
            if (graph->IsOrderDisplayed(order)) {
                settings.orders.push_back(order);
            }
        }
        settings.ordersAsRatios = graph->TreatOrderAsRatio();
        settings.spectrum = graph->Spectrum();
    }
    return settings;
}

QString Summary(const Identification& identification)
{
    const auto& candidates = identification.Candidates();
    const auto named = std::count_if(candidates.begin(), candidates.end(),
                                     [](const auto& list) { return !list.empty(); });
    QStringList present;
    for (const ElementSummary::Spectrum& spectrum : identification.Spectra()) {
        if (spectrum.verdict == ElementSummary::Verdict::kPresent) {
            present << QString::fromStdString(spectrum.name);
        }
    }
    QString text =
        QCoreApplication::translate("IdentificationView", "%1 peaks, %2 with candidate lines")
            .arg(identification.Peaks().size())
            .arg(named);
    if (!present.isEmpty()) {
        text += QCoreApplication::translate("IdentificationView", "; present: %1")
                    .arg(present.join(", "));
    }
    return text;
}

std::vector<PeakMark> Marks(const Identification& identification, const TextTables& text)
{
    std::vector<PeakMark> marks;
    const auto& peaks = identification.Peaks();
    for (size_t i = 0; i < peaks.size(); ++i) {
        const auto& candidates = identification.Candidates()[i];
        if (!candidates.empty()) {
            marks.push_back({peaks[i].centre, peaks[i].continuum + peaks[i].height,
                             QString::fromStdString(
                                 ElementSummary::Name(candidates.front().line.spectrum, text))});
        }
    }
    return marks;
}

}  // namespace IdentificationView
