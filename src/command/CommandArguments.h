#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading the argument text of a typed command. Words and names compare without regard to
// case; numbers are read the way the standard conversions read them (the leading number, the
// rest ignored), except that the words INF and NAN are never numbers.
namespace CommandArguments {

enum class Switch { None, On, Off };

// "ON"/"YES" and "OFF"/"NO", the whole argument compared without case.
Switch ReadSwitch(std::string_view argument);

// The blank-separated words; with `commasSeparate` every comma counts as a blank first.
std::vector<std::string> Words(std::string_view argument, bool commasSeparate);

// What a file name in quotation marks that is not closed, or is followed by more, is told.
inline constexpr const char* kBadQuotes =
    "A file name in quotation marks must end with one (\"my file.txt\"), with nothing after it.";

// The words split at every single blank: consecutive blanks give empty words. A word that
// starts with a quotation mark reaches to the next one, blanks and all, and is given without
// them. Empty when such a word is not closed or runs on past its closing mark.
std::optional<std::vector<std::string>> WordsAtEachBlank(std::string_view argument);

// A file name as typed: the whole argument, or the text between quotation marks when it
// starts with one. Empty when the quotation is not closed or text follows it.
std::optional<std::string> FileName(std::string_view argument);

// The leading decimal number after any blanks; empty when the text does not start with one.
// A number too large for a double gives an infinity, which callers reject as out of range.
std::optional<double> LeadingNumber(std::string_view text);

// The leading digits (with a sign) as an integer, as atol reads them: "4.9" and "4E2" give 4.
// Saturated to the range of long long; empty when the text does not start with digits.
std::optional<long long> LeadingInteger(std::string_view text);

// The repeat count of the move commands: 1 unless the argument is all digits; then its value,
// at most the largest int (a count beyond the list only moves to its end).
int RepeatCount(std::string_view argument);

bool ContainsLetter(std::string_view text);

}  // namespace CommandArguments
