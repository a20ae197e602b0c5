#include "elements/TValenceDialog.h"

#include "framework/THelpFileManager.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Valence {
    const char* label;
    int index;
};

constexpr std::array<Valence, 21> kValences = {{
    {"I", 1},    {"II", 2},   {"III", 3},   {"IV", 4},     {"V", 5},    {"VI", 6},    {"VII", 7},
    {"VIII", 8}, {"IX", 9},   {"X", 10},    {"XI", 11},    {"XII", 12}, {"XIII", 13}, {"XIV", 14},
    {"XV", 15},  {"XVI", 16}, {"XVII", 17}, {"XVIII", 18}, {"XIX", 19}, {"Ox", 24},   {"BH", 25},
}};

constexpr int kColumns = 4;

// Help topics of the dialog and of its check boxes.
constexpr int kDialogTopic = 108;
constexpr int kValenceBoxTopic = 105;

}  // namespace

TValenceDialog::TValenceDialog(QWidget* parent, const FlagArray& flags)
    : QDialog(parent), m_flags(flags)
{
    setWindowTitle(tr("Valences"));
    auto* grid = new QGridLayout;
    // Down the columns, so the numerals read in order like a list.
    const int rows = (static_cast<int>(kValences.size()) + kColumns - 1) / kColumns;
    for (size_t i = 0; i < kValences.size(); ++i) {
        auto* check = new QCheckBox(QString::fromLatin1(kValences[i].label), this);
        check->setChecked(flags[kValences[i].index] != 0);
        check->setProperty(kHelpContextProperty, kValenceBoxTopic);
        grid->addWidget(check, static_cast<int>(i) % rows, static_cast<int>(i) / rows);
        m_boxes[i] = {kValences[i].index, check};
    }

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    setProperty(kHelpContextProperty, kDialogTopic);
    SetButtonHelpContexts(buttons);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [] { ShowHelpTopic(kDialogTopic); });
    QPushButton* all = buttons->addButton(tr("&All"), QDialogButtonBox::ActionRole);
    QPushButton* none = buttons->addButton(tr("&None"), QDialogButtonBox::ActionRole);
    connect(all, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { CheckAll(false); });
    connect(buttons, &QDialogButtonBox::accepted, this, &TValenceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TValenceDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

TValenceDialog::FlagArray TValenceDialog::Flags() const
{
    FlagArray flags = m_flags;
    for (const Box& box : m_boxes) {
        flags[box.index] = box.check->isChecked() ? 1 : 0;
    }
    return flags;
}

void TValenceDialog::CheckAll(bool checked)
{
    for (const Box& box : m_boxes) {
        box.check->setChecked(checked);
    }
}
