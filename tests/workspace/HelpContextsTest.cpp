#include "command/WorkspaceOperations.h"
#include "framework/HelpTopics.h"
#include "workspace/HelpContexts.h"
#include "workspace/MenuCommandTable.h"
#include "workspace/MenuCommands.h"

#include <gtest/gtest.h>
#include <set>

namespace {

bool IsMenuCommand(int commandId)
{
    for (const MenuCommand& command : MenuCommandTable()) {
        if (command.id == commandId) {
            return true;
        }
    }
    return false;
}

}  // namespace

// Each entry names a menu command once and a topic the help has; only the two File items the
// menu no longer has are not menu commands.
TEST(HelpContextsTest, EntriesNameMenuCommandsAndExistingTopics)
{
    const std::set<int> retired = {9070, 9073};
    std::set<int> commands;
    for (const HelpContext& context : HelpContextTable()) {
        EXPECT_TRUE(commands.insert(context.commandId).second) << context.commandId;
        EXPECT_TRUE(IsMenuCommand(context.commandId) || retired.contains(context.commandId))
            << context.commandId;
        EXPECT_NE(FindHelpTopic(context.topic), nullptr) << "topic " << context.topic;
        EXPECT_EQ(HelpContextForCommand(context.commandId), context.topic);
    }
    EXPECT_EQ(commands.size(), 45u);
    EXPECT_FALSE(HelpContextForCommand(CM_PRINT).has_value());
}

// The typed HELP and ? open the same topics as the Help menu's items.
TEST(HelpContextsTest, HelpMenuItemsMatchTheTypedHelpCommands)
{
    EXPECT_EQ(HelpContextForCommand(CM_HELPCONTENTS), WorkspaceOperations::kHelpContents);
    EXPECT_EQ(HelpContextForCommand(CM_HELPCOMMANDS), WorkspaceOperations::kHelpCommands);
    EXPECT_EQ(WorkspaceOperations::kHelpContents, kHelpContentsTopic);
    EXPECT_EQ(WorkspaceOperations::kHelpCommands, kCommandLineTopic);
}
