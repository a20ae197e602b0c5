#pragma once

#include <memory>

#include <QObject>
#include <QTemporaryDir>

class TSpeklaApp;
class TempFolder;

// Whole runs of the program in a temporary installation with its own settings folder.
class ProgramRunTest : public QObject {
    Q_OBJECT

public:
    ProgramRunTest();
    ~ProgramRunTest() override;

private slots:
    void init();
    void StartsFillsAndQuitsOnATypedWord();
    void NextStartRestoresPlacementAndSources();
    void DamagedSettingsLeaveDefaults();
    void StartsWithoutAnyTable();
    void TypedCommandsChangeTheStateAndSurviveARestart();
    void ListFollowsARefillOfTheSameSize();
    void MenusAndToolBarFollowTheDesignOrder();
    void MenuKeysWorkWhileTheCommandLineHasTheFocus();
    void ToolButtonsFollowTheState();
    void ArrowKeyIndicatorsToggle();
    void StoredSummationAppliesToEveryGraphMade();
    void DraggedPaneSizesSurviveARestart();
    void PrintedPageHoldsGraphSelectionAndList();
    void GraphSavesAsPicturesOrSaysWhyNot();
    void HelpOpensAtTheTopicAsked();

private:
    // Starts the program and waits until it has read every table.
    std::unique_ptr<TSpeklaApp> Start();
    void Quit(TSpeklaApp& app);
    QString SettingsText() const;

    std::unique_ptr<TempFolder> m_installation;
    std::unique_ptr<QTemporaryDir> m_config;
};
