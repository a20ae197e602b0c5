#include "command/CommandArguments.h"

#include "framework/StringUtil.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

namespace CommandArguments {

namespace {

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view SkipBlanks(std::string_view text)
{
    const size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

}  // namespace

Switch ReadSwitch(std::string_view argument)
{
    if (EqualsIgnoringCase(argument, "ON") || EqualsIgnoringCase(argument, "YES")) {
        return Switch::On;
    }
    if (EqualsIgnoringCase(argument, "OFF") || EqualsIgnoringCase(argument, "NO")) {
        return Switch::Off;
    }
    return Switch::None;
}

std::vector<std::string> Words(std::string_view argument, bool commasSeparate)
{
    std::string text(argument);
    if (commasSeparate) {
        std::replace(text.begin(), text.end(), ',', ' ');
    }
    std::vector<std::string> words;
    size_t pos = 0;
    while ((pos = text.find_first_not_of(' ', pos)) != std::string::npos) {
        const size_t end = std::min(text.find(' ', pos), text.size());
        words.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

std::optional<std::vector<std::string>> WordsAtEachBlank(std::string_view argument)
{
    std::vector<std::string> words;
    size_t pos = 0;
    while (true) {
        size_t blank = argument.find(' ', pos);
        if (pos < argument.size() && argument[pos] == '"') {
            const size_t close = argument.find('"', pos + 1);
            blank = close == std::string_view::npos ? close : close + 1;
            if (close == std::string_view::npos ||
                (blank < argument.size() && argument[blank] != ' ')) {
                return std::nullopt;
            }
            words.emplace_back(argument.substr(pos + 1, close - pos - 1));
        } else {
            words.emplace_back(argument.substr(pos, blank - pos));
        }
        if (blank >= argument.size()) {
            return words;
        }
        pos = blank + 1;
    }
}

std::optional<std::string> FileName(std::string_view argument)
{
    if (!argument.starts_with('"')) {
        return std::string(argument);
    }
    const auto words = WordsAtEachBlank(argument);
    if (!words || words->size() != 1) {
        return std::nullopt;
    }
    return words->front();
}

std::optional<double> LeadingNumber(std::string_view text)
{
    text = SkipBlanks(text);
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; a typed number starts with a digit or point.
    const size_t digit = text.empty() || text[0] != '-' ? 0 : 1;
    if (text.size() <= digit || (!IsDigit(text[digit]) && text[digit] != '.')) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small is 0 in effect; too large must never pass as a usable number.
        const std::string_view number = text.substr(0, static_cast<size_t>(end - text.data()));
        const size_t exponent = number.find_first_of("eE");
        if (exponent != std::string_view::npos && number.substr(exponent + 1).starts_with('-')) {
            return 0.0;
        }
        return text[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    if (error != std::errc()) {
        return std::nullopt;
    }
    return value;
}

std::optional<long long> LeadingInteger(std::string_view text)
{
    text = SkipBlanks(text);
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        return text[0] == '-' ? LLONG_MIN : LLONG_MAX;
    }
    if (error != std::errc()) {
        return std::nullopt;
    }
    return value;
}

int RepeatCount(std::string_view argument)
{
    if (argument.empty() || !std::all_of(argument.begin(), argument.end(), IsDigit)) {
        return 1;
    }
    const long long count = LeadingInteger(argument).value_or(1);
    return static_cast<int>(std::min<long long>(count, INT_MAX));
}

bool ContainsLetter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace CommandArguments
