#pragma once

#include <span>
#include <string_view>

// The topics of the help pages. A context number names one topic wherever it is used: a menu
// command's topic, a dialog control's "helpContext", a Help button. Each topic is a place in
// one page of the help folder.
struct HelpTopic {
    int context;
    std::string_view page;    // file name in the help folder, such as "commands.html"
    std::string_view anchor;  // id of the element the topic starts at; empty: the page's top
    std::string_view title;
};

// A page of the help as the contents list shows it.
struct HelpPage {
    std::string_view file;
    std::string_view title;
};

constexpr int kHelpContentsTopic = 22;
constexpr int kCommandLineTopic = 73;
// Help on help has no number among the ones the dialogs share (their 4 is the export's "Data
// only"); it goes by its command's number, which no other context reaches.
constexpr int kHelpOnHelpTopic = 2002;

// Every topic, each context number once.
std::span<const HelpTopic> HelpTopicTable();
// Null for a number that names no topic.
const HelpTopic* FindHelpTopic(int context);
// Every page in reading order, the contents page first.
std::span<const HelpPage> HelpPages();
