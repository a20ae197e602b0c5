#pragma once

#include <string>
#include <vector>

// The 90 elements of the synthetic tables, H to Th. An element's code in line records is its
// position here (H is 0, Fe 25), as it is its line in the ELEMENTS file.
namespace PeriodicElements {

constexpr int kCount = 90;

const char* Symbol(int code);
// The ELEMENTS text: "atomicNumber row column Symbol" per element, rows and columns from 0
// (lanthanides and actinides on rows 8 and 9, as printed periodic tables show them).
std::string ElementsText();
// Each element's share of the lines (summing to 1): Zipf-like over a ranking led by Fe and the
// other line-rich transition metals and rare earths, so that a few elements hold most lines.
std::vector<double> LineShares();

}  // namespace PeriodicElements
