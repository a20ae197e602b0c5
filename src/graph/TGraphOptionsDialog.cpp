#include "graph/TGraphOptionsDialog.h"

#include "database/TableArray.h"
#include "database/WavetableFile.h"
#include "framework/THelpFileManager.h"
#include "framework/TRangeEdit.h"
#include "graph/TGraphColoursDialog.h"
#include "graph/TGraphProfilePage.h"
#include "graph/TGraphPropertiesDialog.h"
#include "graph/TGraphWindow.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

TGraphOptionsDialog::TGraphOptionsDialog(QWidget* parent, const GraphSettings& settings,
                                         const std::vector<std::string>& tableLabels)
    : QDialog(parent),
      m_settings(settings),
      m_pages(new QTabWidget(this)),
      m_display(new TGraphPropertiesDialog),
      m_colours(new TGraphColoursDialog),
      m_profile(new TGraphProfilePage)
{
    setWindowTitle(tr("Graph options"));
    setProperty("helpContext", kHelpContext);
    m_pages->addTab(m_display, tr("Display"));
    m_pages->addTab(m_colours, tr("Colours"));
    m_pages->addTab(m_profile, tr("Profile"));
    m_display->Fill(settings);
    m_profile->Fill(settings.spectrum);
    m_colours->Fill(settings, tableLabels);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    SetButtonHelpContexts(buttons);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [] { ShowHelpTopic(kHelpContext); });
    connect(buttons, &QDialogButtonBox::accepted, this, &TGraphOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TGraphOptionsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
}

GraphSettings TGraphOptionsDialog::Settings() const
{
    GraphSettings settings = m_settings;
    m_colours->Apply(settings);
    m_display->Apply(settings);
    m_profile->Apply(settings.spectrum);
    return settings;
}

void TGraphOptionsDialog::accept()
{
    for (auto [page, invalid] :
         {std::pair<QWidget*, TRangeEdit*>{m_display, m_display->InvalidField()},
          {m_profile, m_profile->InvalidField()}}) {
        if (invalid != nullptr) {
            m_pages->setCurrentWidget(page);  // the field must be shown to take the focus
            invalid->ConfirmValid();
            return;
        }
    }
    QDialog::accept();
}

bool TGraphOptionsDialog::Run(QWidget* parent, TGraphWindow& graph, const TableArray& tables)
{
    std::vector<std::string> labels;
    for (std::size_t index = 0; index < tables.FileCount(); ++index) {
        labels.push_back(tables.FileAt(index).Label());
    }
    TGraphOptionsDialog dialog(parent, graph.Settings(), labels);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    graph.ApplySettings(dialog.Settings());
    return true;
}
