#include "command/WorkspaceOperations.h"
#include "framework/HelpTopics.h"
#include "workspace/HelpContexts.h"
#include "workspace/MenuCommandTable.h"
#include "workspace/MenuCommands.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

// Each entry names a menu command once and a topic the help has (only the two File items the
// menu no longer has are not menu commands); the Help menu's items open the same topics as the
// typed HELP and ?.
TEST(HelpContextsTest, EntriesNameMenuCommandsAndExistingTopics)
{
    const std::set<int> retired = {9070, 9073};
    std::set<int> commands;
    for (const HelpContext& context : HelpContextTable()) {
        EXPECT_TRUE(commands.insert(context.commandId).second) << context.commandId;
        EXPECT_TRUE(retired.contains(context.commandId) ||
                    std::any_of(MenuCommandTable().begin(), MenuCommandTable().end(),
                                [&](const MenuCommand& c) { return c.id == context.commandId; }))
            << context.commandId;
        EXPECT_NE(FindHelpTopic(context.topic), nullptr) << "topic " << context.topic;
        EXPECT_EQ(HelpContextForCommand(context.commandId), context.topic);
    }
    EXPECT_FALSE(HelpContextForCommand(CM_PRINT).has_value());
    EXPECT_EQ(HelpContextForCommand(CM_HELPCONTENTS), WorkspaceOperations::kHelpContents);
    EXPECT_EQ(HelpContextForCommand(CM_HELPCOMMANDS), WorkspaceOperations::kHelpCommands);
    EXPECT_EQ(WorkspaceOperations::kHelpContents, kHelpContentsTopic);
    EXPECT_EQ(WorkspaceOperations::kHelpCommands, kCommandLineTopic);
}
