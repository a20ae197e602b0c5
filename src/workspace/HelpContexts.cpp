#include "workspace/HelpContexts.h"

#include "framework/HelpTopics.h"
#include "workspace/MenuCommands.h"

namespace {

// Two File items the menu no longer has; their topics describe element selection files.
constexpr int kOldElementFileCommand1 = 9070;
constexpr int kOldElementFileCommand2 = 9073;

constexpr HelpContext kContexts[] = {
    {CM_DECIMALS, 44},
    {CM_GOTOWAVELENGTH, 39},
    {CM_AIR, 43},
    {CM_VACUUM, 41},
    {CM_LINEAR, 45},
    {CM_MINIMUMINTENSITY, 46},
    {CM_VALENCES, 47},
    {CM_WAVENUMBER, 42},
    {CM_NEXT, 34},
    {CM_PREVIOUS, 31},
    {CM_PREVIOUSPAGE, 28},
    {CM_NEXTPAGE, 35},
    {CM_SELECTALL, 52},
    {CM_ALPHABETICAL, 49},
    {CM_ATOMICNUMBER, 50},
    {CM_INVERTSELECTION, 53},
    {CM_PERIODIC, 48},
    {CM_SETRATIO, 51},
    {CM_EXPORT, 23},
    {CM_LOADELEMENTS, 13},
    {kOldElementFileCommand1, 17},
    {CM_SAVEELEMENTS, 16},
    {kOldElementFileCommand2, 18},
    {CM_LOADOVERLAY, 12},
    {CM_DECREASEINTENSITY, 55},
    {CM_DECREASERANGE, 61},
    {CM_INCREASEINTENSITY, 54},
    {CM_INCREASERANGE, 60},
    {CM_USERATIOS, 58},
    {CM_SUMMATION, 56},
    {CM_GRAPHOPTIONS, 68},
    {CM_FITHEIGHT, 109},
    {CM_PEAKSWINDOW, 115},
    {CM_FITHEIGHTAUTOMATICALLY, 110},
    {CM_TREATORDERSASRATIOS, 67},
    {CM_SUMMATIONONLY, 57},
    {CM_DISPLAYOVERLAY, 59},
    {CM_ORDER1, 62},
    {CM_ORDER1 + 1, 63},
    {CM_ORDER1 + 2, 64},
    {CM_ORDER1 + 3, 65},
    {CM_ORDER1 + 4, 66},
    {CM_DATAWINDOW, 70},
    {CM_ELEMENTWINDOW, 69},
    {CM_GRAPHWINDOW, 71},
    {CM_ABOUT, 74},
    {CM_HELPCONTENTS, kHelpContentsTopic},
    {CM_HELPCOMMANDS, kCommandLineTopic},
};

}  // namespace

std::span<const HelpContext> HelpContextTable()
{
    return kContexts;
}

std::optional<int> HelpContextForCommand(int commandId)
{
    for (const HelpContext& context : kContexts) {
        if (context.commandId == commandId) {
            return context.topic;
        }
    }
    return std::nullopt;
}
