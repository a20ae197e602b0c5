#pragma once

#include <QObject>

// The help pages as shipped: every topic's page and anchor exist, every link between pages
// arrives somewhere, every entity renders, and the command-line page documents every keyword
// with its true shortest form.
class HelpPagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void topicAnchorExists_data();
    void topicAnchorExists();
    void everyPageIsInTheContents();
    void linksArrive_data();
    void linksArrive();
    void entitiesRender_data();
    void entitiesRender();
    void keywordIsDocumented_data();
    void keywordIsDocumented();
};
