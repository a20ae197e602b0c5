#include "app/TSpeklaAboutDlg.h"

#include "app/BundledIcon.h"
#include "app/TProjectRCVersion.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

TSpeklaAboutDlg::TSpeklaAboutDlg(QWidget* parent, const TProjectRCVersion& version)
    : QDialog(parent),
      m_version(new QLabel(tr("Version"), this)),
      m_legal(new QLabel(this)),
      m_specialBuild(new QLabel(this))
{
    setWindowTitle(tr("About Spekla"));
    auto* icon = new QLabel(this);
    icon->setPixmap(BundledIcon("spekla").pixmap(64, 64));
    auto* name = new QLabel("Spekla", this);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    name->setFont(bold);
    m_legal->setMinimumHeight(2 * m_legal->fontMetrics().lineSpacing());
    m_specialBuild->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    for (QLabel* label : {m_version, m_legal, m_specialBuild}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(m_version, 1, 1);
    layout->addWidget(m_legal, 2, 1);
    layout->addWidget(m_specialBuild, 3, 1);
    layout->addWidget(buttons, 4, 0, 1, 2);
    layout->setHorizontalSpacing(16);
    SetupWindow(version);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The version line reads name, the word "Version" and the number, as "Spekla Version 0.1.0".
void TSpeklaAboutDlg::SetupWindow(const TProjectRCVersion& version)
{
    std::string name;
    std::string number;
    if (version.GetProductName(name) && version.GetProductVersion(number)) {
        m_version->setText(QString("%1 %2 %3")
                               .arg(QString::fromStdString(name), m_version->text(),
                                    QString::fromStdString(number)));
    }
    std::string text;
    if (version.GetLegalNotice(text)) {
        m_legal->setText(QString::fromStdString(text));
    }
    if (version.GetSpecialBuild(text)) {
        m_specialBuild->setText(QString::fromStdString(text));
    }
}

QString TSpeklaAboutDlg::VersionText() const
{
    return m_version->text();
}

QString TSpeklaAboutDlg::LegalText() const
{
    return m_legal->text();
}

QString TSpeklaAboutDlg::SpecialBuildText() const
{
    return m_specialBuild->text();
}
