#pragma once

#include <QObject>

// THelpWindow as a reader uses it: a topic opens at its anchor, the contents list and the
// history move between pages, links between pages work, and the find bar finds a word without
// regard to case, goes round the page and says when a word is not there.
class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensAtTheAnchor();
    void backAndForwardRetraceThePages();
    void contentsListFollowsAndLeads();
    void linkOpensItsPage();
    void findBar_data();
    void findBar();
    void findGoesRoundThePage();
    void enterAndShiftEnterStepThroughThePlaces();
};
