#pragma once

#include "tools/SourceLine.h"

#include <string_view>

// Reads a strong-line list in the Blue Obelisk spectrum XML that kalzium-data installs
// (spectra.xml): per element a <spectrum id="eN"> (N the atomic number) holding
// <peak xValue="relative intensity" yValue="wavelength" yUnits="units:ang"/> elements.
// Flags after an intensity ("200*") become the description text, as for NIST lists.
// The list gives no ionisation stage: lines get --stage, else none (code 0). Wavelengths follow
// the NIST convention (vacuum below 2000 Å, air from 2000 Å) unless --medium says otherwise;
// the unit is yUnits (ang, nm, um, cm-1), else --unit, else Å. A peak whose yUnits cannot be
// read, whose xValue does not start with a number, or that the file cuts off, counts as malformed.
// A file that is not well-formed XML before its end is refused, with the line and column.
class XmlPeakReader {
public:
    static ReadResult Read(std::string_view content, const ReadContext& context,
                           const LineSink& sink);
};
