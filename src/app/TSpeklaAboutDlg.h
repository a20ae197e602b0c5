#pragma once

#include <QDialog>

class QLabel;
class TProjectRCVersion;

// "About Spekla": the program's name, its version line, the legal notice and the special-build
// text, read from a version block. A string the block lacks leaves its line as it was.
class TSpeklaAboutDlg : public QDialog {
    Q_OBJECT

public:
    TSpeklaAboutDlg(QWidget* parent, const TProjectRCVersion& version);

    QString VersionText() const;
    QString LegalText() const;
    QString SpecialBuildText() const;

private:
    void SetupWindow(const TProjectRCVersion& version);

    QLabel* m_version;
    QLabel* m_legal;
    QLabel* m_specialBuild;
};
