#pragma once

#include <string>
#include <string_view>

// The rule of a number field that takes a value between two limits, both included. While typing
// only digits, '.' and the signs the range can need are allowed ('-' only when min < 0, '+' only
// when max >= 0), so exponents and decimal commas cannot be entered. A text is read the way atof
// reads it, always with a decimal point: the leading number, 0 when there is none ("" reads 0,
// "1.2.3" reads 1.2). Expects min <= max.
class DoubleRange {
public:
    constexpr DoubleRange(double min, double max) : m_min(min), m_max(max) {}

    constexpr double Min() const { return m_min; }
    constexpr double Max() const { return m_max; }

    // A finite value in [min, max].
    bool Contains(double value) const;
    // "min to max" in their short form ("0.01 to 100000"), for messages.
    std::string Span() const;

    // Every character of `text` may be typed.
    bool AllowsTyping(std::string_view text) const;

    // Every character may be typed and the value read lies in [min, max].
    bool IsValid(std::string_view text) const;

    // The message shown when a text is not valid.
    std::string ErrorText() const;

    // The value read from `text` plus `amount`, brought into [min, max].
    double Adjusted(std::string_view text, double amount) const;

    // `value` brought into [min, max] and written so that IsValid accepts it: the short form
    // (FormatDefault) unless that needs an exponent, else fixed-point without trailing zeros.
    // Not a number gives min.
    std::string TextOf(double value) const;

private:
    bool AllowsCharacter(char c) const;

    double m_min;
    double m_max;
};
