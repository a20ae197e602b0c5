#include "command/CommandLineParser.h"

#include "command/CommandList.h"
#include "command/CommandNumbers.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <cctype>

std::string CommandLineParser::LengthWarning(std::string_view line)
{
    const std::string text = StripBlanks(line);
    // Characters, not bytes: a UTF-8 continuation byte adds none.
    const auto length = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    if (static_cast<size_t>(length) <= kMaxLength) {
        return {};
    }
    return "A command line may hold at most " + std::to_string(kMaxLength) +
           " characters; this one has " + std::to_string(length) + ". Nothing was done.";
}

std::optional<TypedCommand> CommandLineParser::Split(std::string_view line)
{
    std::string text = StripBlanks(line);
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
        return TypedCommand{ToUpper(text), {}};
    }
    return TypedCommand{ToUpper(text.substr(0, blank)), text.substr(blank + 1)};
}

std::optional<ResolvedCommand> CommandLineParser::Resolve(const CommandList& keywords,
                                                          const TypedCommand& typed)
{
    const std::optional<Command> entry = keywords.Find(typed.keyword);
    if (!entry) {
        return std::nullopt;
    }
    ResolvedCommand resolved{entry->commandId, entry->keyword, typed.argument};
    if (entry->isElement) {
        // The symbol in full: "G" is gallium, "IRON" is FE.
        resolved.argument = entry->keyword + " " + ToUpper(typed.argument);
    } else if (!KeepsArgumentCase(entry->commandId)) {
        resolved.argument = ToUpper(typed.argument);
    }
    return resolved;
}

bool CommandLineParser::KeepsArgumentCase(int commandId)
{
    switch (commandId) {
        case CMD_LOAD:
        case CMD_SAVE:
        case CMD_OVERLAY:
        case CMD_EXPORT:
        case CMD_SOURCE:
            return true;
        default:
            return false;
    }
}
