#include "PeriodicElements.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace PeriodicElements {

namespace {

const char* const kSymbols[kCount] = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",
    "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh",
    "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re",
    "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th"};

// Atomic numbers of the most line-rich elements, richest first; the rest follow in order.
const int kRichest[] = {26, 58, 22, 24, 28, 27, 25, 23, 60, 62, 64, 40, 90, 42, 41, 74, 44, 76};

constexpr double kZipfExponent = 1.3;

// Grid position (row, column) of atomic number `z`, both from 0.
std::pair<int, int> GridPosition(int z)
{
    if (z <= 2) {
        return {0, z == 1 ? 0 : 17};
    }
    if (z <= 18) {
        const int row = z <= 10 ? 1 : 2;
        const int offset = z - (row == 1 ? 3 : 11);  // 0..7 across the period
        return {row, offset < 2 ? offset : offset + 10};
    }
    if (z <= 54) {
        return {z <= 36 ? 3 : 4, (z - 19) % 18};
    }
    if (z >= 57 && z <= 71) {
        return {8, z - 57 + 2};
    }
    if (z >= 89) {
        return {9, z - 89 + 2};
    }
    if (z >= 87) {
        return {6, z - 87};
    }
    return {5, z <= 56 ? z - 55 : z - 72 + 3};
}

}  // namespace

const char* Symbol(int code)
{
    return kSymbols[code];
}

std::string ElementsText()
{
    std::string text;
    for (int code = 0; code < kCount; ++code) {
        const auto [row, column] = GridPosition(code + 1);
        text += std::to_string(code + 1) + ' ' + std::to_string(row) + ' ' +
                std::to_string(column) + ' ' + kSymbols[code] + '\n';
    }
    return text;
}

std::vector<double> LineShares()
{
    std::vector<int> ranking(std::begin(kRichest), std::end(kRichest));
    for (int z = 1; z <= kCount; ++z) {
        if (std::find(ranking.begin(), ranking.end(), z) == ranking.end()) {
            ranking.push_back(z);
        }
    }
    std::vector<double> shares(kCount);
    for (size_t rank = 0; rank < ranking.size(); ++rank) {
        shares[ranking[rank] - 1] = 1.0 / std::pow(static_cast<double>(rank + 1), kZipfExponent);
    }
    const double total = std::accumulate(shares.begin(), shares.end(), 0.0);
    for (double& share : shares) {
        share /= total;
    }
    return shares;
}

}  // namespace PeriodicElements
