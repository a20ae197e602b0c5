#include "app/FrameToolBar.h"

#include "app/BundledIcon.h"
#include "workspace/ActionTable.h"
#include "workspace/MenuCommands.h"

#include <QAction>
#include <QIcon>

namespace {

struct ToolButton {
    int commandId;        // 0: a separator
    const char* theme;    // freedesktop icon name, empty where the theme has none that fits
    const char* bundled;  // our own icon in the resources
};

constexpr ToolButton kButtons[] = {
    {CM_LOADELEMENTS, "document-open", "open-elements"},
    {CM_SAVEELEMENTS, "document-save", "save-elements"},
    {0, "", ""},
    {CM_PREVIOUSPAGE, "", "page-up"},
    {CM_PREVIOUS, "go-up", "line-up"},
    {CM_NEXT, "go-down", "line-down"},
    {CM_NEXTPAGE, "", "page-down"},
    {0, "", ""},
    {CM_SUMMATION, "", "summation"},
    {CM_USERATIOS, "", "ratios"},
    {0, "", ""},
    {CM_GOTOWAVELENGTH, "go-jump", "go-to-wavelength"},
    {0, "", ""},
    {CM_PRINT, "document-print", "print"},
    {0, "", ""},
    {CM_HELPCONTENTS, "help-contents", "help-contents"},
};

QIcon IconFor(const ToolButton& button)
{
    const QIcon bundled = BundledIcon(button.bundled);
    return *button.theme != '\0' ? QIcon::fromTheme(button.theme, bundled) : bundled;
}

}  // namespace

FrameToolBar::FrameToolBar(ActionTable& actions, QWidget* parent) : QToolBar(tr("Toolbar"), parent)
{
    setObjectName("Toolbar");
    setMovable(true);
    setIconSize(QSize(22, 22));
    for (const ToolButton& button : kButtons) {
        if (QAction* action = actions.Action(button.commandId)) {
            action->setIcon(IconFor(button));
            // In a menu an icon takes the place of the check mark.
            action->setIconVisibleInMenu(!action->isCheckable());
            addAction(action);
        } else {
            addSeparator();
        }
    }
}
