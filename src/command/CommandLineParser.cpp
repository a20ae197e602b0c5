#include "command/CommandLineParser.h"

#include "command/CommandList.h"
#include "framework/StringUtil.h"

#include <cctype>

std::optional<TypedCommand> CommandLineParser::Split(std::string_view line)
{
    std::string text = StripBlanks(ToUpper(line.substr(0, kMaxLength)));
    if (text.empty()) {
        return std::nullopt;
    }
    if (text[0] == '+' || text[0] == '-') {
        text.insert(1, 1, ' ');
    } else if (std::isdigit(static_cast<unsigned char>(text[0])) != 0) {
        text.insert(0, "GOTO ");
    }
    const size_t blank = text.find(' ');
    if (blank == std::string::npos) {
        return TypedCommand{text, {}};
    }
    return TypedCommand{text.substr(0, blank), text.substr(blank + 1)};
}

std::optional<ResolvedCommand> CommandLineParser::Resolve(const CommandList& keywords,
                                                          const TypedCommand& typed)
{
    const std::optional<Command> entry = keywords.Find(typed.keyword);
    if (!entry) {
        return std::nullopt;
    }
    if (entry->isElement) {
        return ResolvedCommand{entry->commandId, typed.keyword + " " + typed.argument};
    }
    return ResolvedCommand{entry->commandId, typed.argument};
}
