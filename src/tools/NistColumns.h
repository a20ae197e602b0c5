#pragma once

#include "tools/SourceLine.h"

#include <optional>
#include <string>
#include <vector>

// Where the useful columns of a NIST line table are, found from their header words (the text
// table's stacked header rows joined per column, or the names of a CSV export): observed and
// Ritz wavelength with their medium and unit, relative intensity, line reference, and the
// spectrum (a "Spectrum" column, or "element" and "sp_num"); and for the atomic data the
// wavelengths' uncertainties, Aki, and the energy, configuration, term, J and g of both levels.
// Column numbers are -1 when absent.
struct NistColumns {
    // One level of the transition. A text table gives its energy in a column shared with the
    // other level's (`NistColumns::energies`), an export in a column of its own.
    struct Level {
        int energy = -1;
        int configuration = -1;
        int term = -1;
        int j = -1;
        int weight = -1;  // g
    };

    int observed = -1;
    int ritz = -1;
    int intensity = -1;
    int lineReference = -1;
    int spectrum = -1;
    int element = -1;
    int spectrumNumber = -1;
    std::optional<Medium> observedMedium, ritzMedium;
    std::optional<WavelengthUnit> observedUnit, ritzUnit;
    int observedUncertainty = -1;
    int ritzUncertainty = -1;
    std::optional<WavelengthUnit> observedUncertaintyUnit, ritzUncertaintyUnit;
    int aki = -1;
    int energies = -1;  // "105462.7596 - 125329.94": lower and upper level in one cell
    Level lowerLevel, upperLevel;

    static NistColumns Classify(const std::vector<std::string>& headers);

    // True for a header cell that starts a header row ("Observed", "Ritz", "obs_wl_air(nm)").
    static bool IsKeywordCell(const std::string& text);

    bool HasWavelength() const { return observed >= 0 || ritz >= 0; }
    bool HasSpectrum() const { return spectrum >= 0 || element >= 0; }

    // The message that asks for --spectrum when the rows have wavelengths but neither they nor
    // `context` (the option or the file name) say whose lines they are; empty otherwise.
    std::string MissingSpectrumError(const ReadContext& context) const;

    // The line one data row describes: the observed wavelength, else the Ritz one; the spectrum
    // from the row, else from `context`; and its atomic data, where the row holds them. A row too
    // short for the wavelength, intensity, reference or spectrum is malformed; one that stops
    // before atomic data only lacks them.
    SourceLine MakeLine(const std::vector<std::string>& cells, const ReadContext& context) const;

private:
    int LastUsed() const;
    void SetWavelength(SourceLine& line, const std::vector<std::string>& cells,
                       const ReadContext& context) const;
    void SetUncertainty(SourceLine& line, const std::vector<std::string>& cells,
                        bool fromRitz) const;
    void SetAtomicData(SourceLine& line, const std::vector<std::string>& cells) const;
    void ClassifyUncertainty(const std::string& lower, int index);
    void ClassifyAtomic(const std::string& lower, int index);
    int* LevelColumn(const std::string& lower);
    void SetSpectrum(SourceLine& line, const std::vector<std::string>& cells,
                     const ReadContext& context) const;
};
