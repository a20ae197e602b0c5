#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TextTables;
struct ViewSettings;

// Each measurement opens the tables of `folder` afresh (outside the timed part), so the page
// cache is warm from earlier passes but nothing else carries over, and reports the best of a
// few repeats. `tables` must hold the element selection and valence flags of `settings`.

struct ReadAllResult {
    double seconds = 0.0;
    uint64_t records = 0;
    uint64_t passing = 0;   // by the tables' filter (WavetableFile::Passes)
    uint64_t admitted = 0;  // by ViewSettings::Admits; equal to `passing` unless a filter errs
};

// One sequential pass over every record, each read through WavetableFile::RecordAt and tested
// by the filter, after an untimed warm-up pass.
ReadAllResult MeasureReadAll(const TextTables& tables, const std::string& folder,
                             const ViewSettings& settings, int32_t middle);

struct FillResult {
    double seconds = 0.0;
    uint32_t lines = 0;
    size_t memoryBytes = 0;
    uint64_t batches = 0;
    bool inOrder = false;  // the list is sorted by wavelength
};

// A full fill as the idle driver runs it: GoToWavelength(middle), then time-bounded Fill
// batches until no work remains.
FillResult MeasureFullFill(const TextTables& tables, const std::string& folder,
                           const ViewSettings& settings, int32_t middle);

struct FindResult {
    double microseconds = 0.0;  // mean per call
    uint64_t misses = 0;        // targets inside the range that gave kNotFound
};

// FindRecord on the first table at `count` random wavelengths within its range.
FindResult MeasureFind(const TextTables& tables, const std::string& folder, int count);
