#include "command/Command.h"

#include "framework/StringUtil.h"

Command::Command(std::string_view keyword, int commandId, bool isElement)
    : keyword(StripBlanks(keyword)), commandId(commandId), isElement(isElement)
{
}
