#pragma once

#include "FillMeasurements.h"

#include <cstdint>
#include <string>

class TextTables;

// A full fill of a table whose `records` lines all lie at one wavelength, so that every line
// ties with both ends of the display list. The table is written to a temporary folder of its
// own and removed afterwards; `tables` must show every element and valence. An empty result
// (no lines) when the table cannot be written.
FillResult MeasureTiedFill(const TextTables& tables, uint32_t records);
