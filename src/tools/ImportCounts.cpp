#include "tools/ImportCounts.h"

namespace {

constexpr const char* kReasonNames[ImportCounts::kReasonCount] = {
    "malformed", "no wavelength", "unknown element", "unknown ionisation stage"};

}  // namespace

size_t ImportCounts::Written() const
{
    size_t written = read;
    for (const size_t count : skipped) {
        written -= count;
    }
    return written;
}

ImportCounts& ImportCounts::operator+=(const ImportCounts& other)
{
    read += other.read;
    for (size_t i = 0; i < kReasonCount; ++i) {
        skipped[i] += other.skipped[i];
    }
    descriptionsFull += other.descriptionsFull;
    referencesFull += other.referencesFull;
    return *this;
}

std::string ImportCounts::Describe(bool allReasons) const
{
    std::string text =
        std::to_string(read) + " lines read, " + std::to_string(Written()) + " written";
    std::string reasons;
    for (size_t i = 0; i < kReasonCount; ++i) {
        if (allReasons || skipped[i] > 0) {
            reasons +=
                (reasons.empty() ? "" : ", ") + std::to_string(skipped[i]) + ' ' + kReasonNames[i];
        }
    }
    if (!reasons.empty()) {
        text += "; skipped: " + reasons;
    }
    if (allReasons || descriptionsFull > 0 || referencesFull > 0) {
        text += "; code table full (kept with code 0): " + std::to_string(descriptionsFull) +
                " descriptions, " + std::to_string(referencesFull) + " references";
    }
    return text;
}
