#include "framework/HelpTopics.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

bool InContents(std::string_view file)
{
    for (const HelpPage& page : HelpPages()) {
        if (page.file == file) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(HelpTopicsTest, EachContextNamesOneTopicOnAPageOfTheContents)
{
    std::set<int> seen;
    for (const HelpTopic& topic : HelpTopicTable()) {
        EXPECT_TRUE(seen.insert(topic.context).second) << "context " << topic.context;
        EXPECT_TRUE(InContents(topic.page)) << topic.page;
        EXPECT_FALSE(topic.title.empty()) << "context " << topic.context;
        EXPECT_EQ(FindHelpTopic(topic.context), &topic);
    }
    EXPECT_EQ(FindHelpTopic(10), nullptr);
}

TEST(HelpTopicsTest, PagesAreListedOnceWithTheContentsFirst)
{
    std::set<std::string_view> files;
    for (const HelpPage& page : HelpPages()) {
        EXPECT_TRUE(files.insert(page.file).second) << page.file;
        EXPECT_FALSE(page.title.empty()) << page.file;
    }
    ASSERT_NE(FindHelpTopic(kHelpContentsTopic), nullptr);
    EXPECT_EQ(HelpPages().front().file, FindHelpTopic(kHelpContentsTopic)->page);
}

// The numbers the dialogs and commands open: a missing one would open the contents instead.
TEST(HelpTopicsTest, ContextsOfDialogsAndCommandsHaveTopics)
{
    std::set<int> used = {
        kHelpContentsTopic, kCommandLineTopic, kHelpOnHelpTopic, 8, 9, 11};  // OK, Cancel, Help
    for (int exportControl = 0; exportControl <= 7; ++exportControl) {
        used.insert(exportControl);
    }
    for (int graphOption = 75; graphOption <= 102; ++graphOption) {
        used.insert(graphOption);
    }
    for (int elementDialog = 105; elementDialog <= 108; ++elementDialog) {
        used.insert(elementDialog);
    }
    for (int context : used) {
        EXPECT_NE(FindHelpTopic(context), nullptr) << "context " << context;
    }
}
