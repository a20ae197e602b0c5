#include "graph/TGraphColoursDialog.h"

#include "graph/TColourButton.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int kSummationHelp = 90;
constexpr int kOverlayHelp = 91;
constexpr int kLabelHelp = 92;
constexpr int kOrderHelp = 93;  // the five orders from here
constexpr int kElementHelp = 98;
constexpr int kTablesHelp = 101;
constexpr int kTableColourHelp = 102;

const char* const kOrderTexts[] = {QT_TRANSLATE_NOOP("TGraphColoursDialog", "First"),
                                   QT_TRANSLATE_NOOP("TGraphColoursDialog", "Second"),
                                   QT_TRANSLATE_NOOP("TGraphColoursDialog", "Third"),
                                   QT_TRANSLATE_NOOP("TGraphColoursDialog", "Fourth"),
                                   QT_TRANSLATE_NOOP("TGraphColoursDialog", "Fifth")};

QColor ToQColor(Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

Colour ToColour(const QColor& colour)
{
    return Colour{static_cast<std::uint8_t>(colour.red()),
                  static_cast<std::uint8_t>(colour.green()),
                  static_cast<std::uint8_t>(colour.blue())};
}

void Name(QWidget* control, const std::string& name, int helpContext = 0)
{
    control->setObjectName(QString::fromStdString(name));
    if (helpContext != 0) {
        control->setProperty("helpContext", helpContext);
    }
}

}  // namespace

TGraphColoursDialog::TGraphColoursDialog(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(MakeGeneralGroup());
    layout->addWidget(MakeElementGroup());
    layout->addWidget(MakeSourceGroup());
}

TColourButton* TGraphColoursDialog::AddColour(QGridLayout* grid, int row, const QString& label,
                                              const char* name, int helpContext)
{
    auto* button = new TColourButton(Qt::black, this);
    Name(button, name, helpContext);
    auto* text = new QLabel(label, this);
    text->setBuddy(button);
    grid->addWidget(text, row, 0);
    grid->addWidget(button, row, 1);
    return button;
}

QWidget* TGraphColoursDialog::MakeGeneralGroup()
{
    auto* general = new QWidget(this);
    auto* grid = new QGridLayout;
    m_summation = AddColour(grid, 0, tr("Summation"), "summation", kSummationHelp);
    m_overlay = AddColour(grid, 1, tr("Overlay"), "overlay", kOverlayHelp);
    m_label = AddColour(grid, 2, tr("Labels"), "label", kLabelHelp);
    auto* orders = new QGroupBox(tr("Orders"), general);
    auto* orderGrid = new QGridLayout(orders);
    for (std::size_t order = 0; order < m_orders.size(); ++order) {
        const std::string name = "order" + std::to_string(order + 1) + "Colour";
        m_orders[order] = AddColour(orderGrid, static_cast<int>(order), tr(kOrderTexts[order]),
                                    name.c_str(), kOrderHelp + static_cast<int>(order));
    }
    auto* layout = new QVBoxLayout(general);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addWidget(orders);
    layout->addStretch();
    return general;
}

QWidget* TGraphColoursDialog::MakeElementGroup()
{
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    m_useElementColours = new QCheckBox(tr("Elements"), group);
    Name(m_useElementColours, "useElementColours");
    grid->addWidget(m_useElementColours, 0, 0, 1, 2);
    const QRegularExpression letters("[A-Za-z]{0,4}");
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        m_elements[i] = new TColourButton(Qt::black, group);
        Name(m_elements[i], "element" + std::to_string(i), kElementHelp);
        m_elementNames[i] = new QLineEdit(group);
        Name(m_elementNames[i], "elementName" + std::to_string(i));
        m_elementNames[i]->setMaxLength(static_cast<int>(GraphSettings::kElementNameLength));
        m_elementNames[i]->setValidator(
            new QRegularExpressionValidator(letters, m_elementNames[i]));
        const int row = 1 + static_cast<int>(i);
        grid->addWidget(m_elements[i], row, 0);
        grid->addWidget(m_elementNames[i], row, 1);
    }
    grid->setRowStretch(grid->rowCount(), 1);
    connect(m_useElementColours, &QCheckBox::toggled, this,
            &TGraphColoursDialog::UpdateElementControls);
    return group;
}

QWidget* TGraphColoursDialog::MakeSourceGroup()
{
    auto* group = new QGroupBox(tr("Source"), this);
    m_tables = new QListWidget(group);
    Name(m_tables, "tables", kTablesHelp);
    m_tables->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableColour = new TColourButton(Qt::black, group);
    Name(m_tableColour, "tableColour", kTableColourHelp);
    // The button edits the selected table's entry, so it chooses only when one is selected.
    m_tableColour->SetChoosesOnClick(false);
    m_tableColour->setEnabled(false);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_tables);
    layout->addWidget(m_tableColour);
    connect(m_tables, &QListWidget::itemSelectionChanged, this,
            &TGraphColoursDialog::ShowSelectedTableColour);
    connect(m_tables, &QListWidget::itemDoubleClicked, this,
            &TGraphColoursDialog::ChooseTableColour);
    connect(m_tableColour, &TColourButton::clicked, this, &TGraphColoursDialog::ChooseTableColour);
    return group;
}

void TGraphColoursDialog::Fill(const GraphSettings& settings,
                               const std::vector<std::string>& tableLabels)
{
    m_summation->SetColour(ToQColor(settings.summationColour));
    m_overlay->SetColour(ToQColor(settings.overlayColour));
    m_label->SetColour(ToQColor(settings.labelColour));
    for (std::size_t order = 0; order < m_orders.size(); ++order) {
        m_orders[order]->SetColour(ToQColor(settings.orderColours[order]));
    }
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        m_elements[i]->SetColour(ToQColor(settings.elementColours[i]));
        m_elementNames[i]->setText(QString::fromStdString(
            settings.elementNames[i].substr(0, GraphSettings::kElementNameLength)));
    }
    m_useElementColours->setChecked(settings.useElementColours);
    UpdateElementControls();

    m_tables->clear();
    m_tableColours.clear();
    for (std::size_t index = 0; index < tableLabels.size(); ++index) {
        m_tables->addItem(QString::fromStdString(tableLabels[index]));
        m_tableColours.push_back(ToQColor(settings.TableColour(index)));
    }
    m_tables->setCurrentRow(m_tableColours.empty() ? -1 : 0);
    ShowSelectedTableColour();
}

void TGraphColoursDialog::Apply(GraphSettings& settings) const
{
    settings.summationColour = ToColour(m_summation->Colour());
    settings.overlayColour = ToColour(m_overlay->Colour());
    settings.labelColour = ToColour(m_label->Colour());
    for (std::size_t order = 0; order < m_orders.size(); ++order) {
        settings.orderColours[order] = ToColour(m_orders[order]->Colour());
    }
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        settings.elementColours[i] = ToColour(m_elements[i]->Colour());
        settings.elementNames[i] = m_elementNames[i]->text().toStdString();
    }
    settings.useElementColours = m_useElementColours->isChecked();
    for (std::size_t index = 0; index < m_tableColours.size(); ++index) {
        settings.SetTableColour(index, ToColour(m_tableColours[index]));
    }
}

void TGraphColoursDialog::UpdateElementControls()
{
    const bool enabled = m_useElementColours->isChecked();
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        m_elements[i]->setEnabled(enabled);
        m_elementNames[i]->setEnabled(enabled);
    }
}

void TGraphColoursDialog::ShowSelectedTableColour()
{
    const QList<QListWidgetItem*> selected = m_tables->selectedItems();
    m_tableColour->setEnabled(!selected.isEmpty());
    if (!selected.isEmpty()) {
        m_tableColour->SetColour(
            m_tableColours[static_cast<std::size_t>(m_tables->row(selected[0]))]);
    }
}

void TGraphColoursDialog::ChooseTableColour()
{
    const QList<QListWidgetItem*> selected = m_tables->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    if (m_tableColour->ChooseColour()) {
        m_tableColours[static_cast<std::size_t>(m_tables->row(selected[0]))] =
            m_tableColour->Colour();
    }
}
