#include "tools/SpectrumName.h"

#include "framework/StringUtil.h"
#include "tools/CellText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace {

constexpr std::array<std::string_view, SpectrumName::kHighestStage> kRomanStages = {
    "I",  "II",  "III",  "IV",  "V",  "VI",  "VII",  "VIII",  "IX", "X",
    "XI", "XII", "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX"};

bool IsUpper(char c)
{
    return std::isupper(static_cast<unsigned char>(c)) != 0;
}

bool IsLower(char c)
{
    return std::islower(static_cast<unsigned char>(c)) != 0;
}

bool IsAlpha(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

int RomanStage(std::string_view text)
{
    const std::string upper = ToUpper(text);
    for (size_t i = 0; i < kRomanStages.size(); ++i) {
        if (upper == kRomanStages[i]) {
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

}  // namespace

std::string SpectrumName::Text() const
{
    if (stage < 1 || stage > kHighestStage) {
        return symbol;
    }
    return symbol + ' ' + std::string(kRomanStages[static_cast<size_t>(stage) - 1]);
}

int SpectrumName::ParseStage(std::string_view text)
{
    const std::string stage = NormaliseText(text);
    if (stage.empty()) {
        return 0;
    }
    if (std::isdigit(static_cast<unsigned char>(stage[0])) != 0) {
        int number = 0;
        const auto result = std::from_chars(stage.data(), stage.data() + stage.size(), number);
        const bool whole = result.ec == std::errc() && result.ptr == stage.data() + stage.size();
        return whole && number >= 1 && number <= kHighestStage ? number : -1;
    }
    return RomanStage(stage);
}

std::optional<SpectrumName> SpectrumName::Parse(std::string_view text)
{
    const std::string name = NormaliseText(text);
    const size_t blank = name.find(' ');
    const std::string symbol = name.substr(0, blank);
    const bool symbolLike =
        !symbol.empty() && symbol.size() <= 3 && std::all_of(symbol.begin(), symbol.end(), IsAlpha);
    if (!symbolLike) {
        return std::nullopt;
    }
    SpectrumName spectrum{symbol, 0};
    if (blank != std::string::npos) {
        spectrum.stage = ParseStage(std::string_view(name).substr(blank + 1));
        if (spectrum.stage <= 0) {
            return std::nullopt;
        }
    }
    return spectrum;
}

std::optional<SpectrumName> SpectrumName::FromFileName(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    name = name.substr(0, name.find_first_of("_.-"));
    if (name.size() < 2 || !IsUpper(name[0])) {
        return std::nullopt;
    }
    // A symbol is one capital and perhaps one small letter; the stage is in capitals, so the
    // split is never ambiguous ("NiI" is Ni I, "NI" is N I).
    const size_t symbolLength = IsLower(name[1]) ? 2 : 1;
    const std::string_view roman = name.substr(symbolLength);
    if (roman.empty() || !std::all_of(roman.begin(), roman.end(), IsUpper)) {
        return std::nullopt;
    }
    const int stage = RomanStage(roman);
    if (stage <= 0) {
        return std::nullopt;
    }
    return SpectrumName{std::string(name.substr(0, symbolLength)), stage};
}
