#pragma once

#include <cstdint>
#include <string>

class TextTables;
struct ViewSettings;

// The floor under read_all_s: every .swt table of `folder` mapped by this program itself and
// scanned with the record decoding and the filter inlined, none of the database classes in the
// way. Best of a few passes, in seconds; `passing` receives the lines the filter lets through.
double MeasureRawScan(const TextTables& tables, const std::string& folder,
                      const ViewSettings& settings, uint64_t& passing);
