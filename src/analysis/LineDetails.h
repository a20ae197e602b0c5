#pragma once

#include <string>
#include <vector>

class ElementFacts;
struct DisplayWaveData;

// What the views say about one line beyond its row: the two levels and the transition when its
// table's atomic data know them, its element's name, mass and first ionisation energy, and where
// a radial velocity of `velocity` km/s puts it. One short row of plain text per fact; what is not
// known is left out, so a line of a table without atomic data may give no rows at all.
std::vector<std::string> LineDetailRows(const DisplayWaveData& line, double velocity,
                                        const ElementFacts& facts);
// The same with the element facts installed with the program.
std::vector<std::string> LineDetailRows(const DisplayWaveData& line, double velocity);
