#include "framework/DoubleRange.h"

#include "framework/NumberFormat.h"

#include <algorithm>
#include <cmath>

bool DoubleRange::Contains(double value) const
{
    return std::isfinite(value) && m_min <= value && value <= m_max;
}

std::string DoubleRange::Span() const
{
    return FormatDefault(m_min) + " to " + FormatDefault(m_max);
}

bool DoubleRange::AllowsCharacter(char c) const
{
    if (c >= '0' && c <= '9') {
        return true;
    }
    switch (c) {
        case '.':
            return true;
        case '-':
            return m_min < 0.0;
        case '+':
            return m_max >= 0.0;
        default:
            return false;
    }
}

bool DoubleRange::AllowsTyping(std::string_view text) const
{
    return std::all_of(text.begin(), text.end(), [this](char c) { return AllowsCharacter(c); });
}

bool DoubleRange::IsValid(std::string_view text) const
{
    if (!AllowsTyping(text)) {
        return false;
    }
    const double value = ParseLeadingDouble(std::string(text));
    return m_min <= value && value <= m_max;
}

std::string DoubleRange::ErrorText() const
{
    return "Value must lie with the range " + Span() + ".";
}

double DoubleRange::Adjusted(std::string_view text, double amount) const
{
    // min and max rather than std::clamp: a reversed range must not be undefined behaviour.
    const double value = ParseLeadingDouble(std::string(text)) + amount;
    return std::min(std::max(value, m_min), m_max);
}

std::string DoubleRange::TextOf(double value) const
{
    constexpr int kFixedDecimals = 15;  // more than a double holds below 1
    double inside = std::isnan(value) ? m_min : std::min(std::max(value, m_min), m_max);
    inside += 0.0;  // -0 would show a sign the range may not allow
    std::string text = FormatDefault(inside);
    if (text.find('e') == std::string::npos && IsValid(text)) {
        return text;
    }
    text = FormatFixed(inside, kFixedDecimals);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}
