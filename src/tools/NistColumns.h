#pragma once

#include "tools/SourceLine.h"

#include <optional>
#include <string>
#include <vector>

// Where the useful columns of a NIST line table are, found from their header words (the text
// table's stacked header rows joined per column, or the names of a CSV export): observed and
// Ritz wavelength with their medium and unit, relative intensity, line reference, and the
// spectrum (a "Spectrum" column, or "element" and "sp_num"). Column numbers are -1 when absent.
struct NistColumns {
    int observed = -1;
    int ritz = -1;
    int intensity = -1;
    int lineReference = -1;
    int spectrum = -1;
    int element = -1;
    int spectrumNumber = -1;
    std::optional<Medium> observedMedium, ritzMedium;
    std::optional<WavelengthUnit> observedUnit, ritzUnit;

    static NistColumns Classify(const std::vector<std::string>& headers);

    // True for a header cell that starts a header row ("Observed", "Ritz", "obs_wl_air(nm)").
    static bool IsKeywordCell(const std::string& text);

    bool HasWavelength() const { return observed >= 0 || ritz >= 0; }
    bool HasSpectrum() const { return spectrum >= 0 || element >= 0; }

    // The message that asks for --spectrum when the rows have wavelengths but neither they nor
    // `context` (the option or the file name) say whose lines they are; empty otherwise.
    std::string MissingSpectrumError(const ReadContext& context) const;

    // The line one data row describes: the observed wavelength, else the Ritz one; the spectrum
    // from the row, else from `context`. A row too short for the columns used is malformed.
    SourceLine MakeLine(const std::vector<std::string>& cells, const ReadContext& context) const;

private:
    int LastUsed() const;
    void SetWavelength(SourceLine& line, const std::vector<std::string>& cells,
                       const ReadContext& context) const;
    void SetSpectrum(SourceLine& line, const std::vector<std::string>& cells,
                     const ReadContext& context) const;
};
