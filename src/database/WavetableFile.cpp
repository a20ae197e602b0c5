#include "database/WavetableFile.h"

#include "database/AtomicDataFile.h"
#include "database/TableReader.h"
#include "database/TextTables.h"
#include "database/ValidRecordsArray.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <utility>

namespace {

constexpr uint64_t kMaxRecords = 0xFFFFFFFE;  // indexes are 32-bit; all bits set means "none"
constexpr int32_t kNoLimit = 2147483647;
constexpr int kFirstValences = 20;  // valence codes taking part in the no-filter shortcut

}  // namespace

static_assert(TableReader::kRecordSize == LineRecord::kSize);

WavetableFile::WavetableFile(const std::string& path, std::string label, const TextTables& tables)
    : m_fileName(ToLower(std::filesystem::path(path).filename().string())),
      m_label(std::move(label)),
      m_path(path),
      m_tables(tables)
{
    Reopen();
}

WavetableFile::~WavetableFile() = default;

void WavetableFile::Reopen()
{
    m_file = std::make_unique<TableReader>(m_path);
    const uint64_t size = m_file->Size();
    m_recordCount = static_cast<uint32_t>(std::min(size / LineRecord::kSize, kMaxRecords));
    m_problems = size % LineRecord::kSize != 0 ? kPartialRecord : 0;
    m_reported = 0;
    m_faultAt = 0;
    m_troubled = false;
    m_readAny = false;
    m_done = 1;
    m_index.Build(*m_file, m_recordCount);
    OpenAtomicData();
}

// Checked against the table's count and end records, so that a table made again without its
// atomic data, or copied without them, never shows another table's levels.
void WavetableFile::OpenAtomicData()
{
    unsigned char first[LineRecord::kSize];
    unsigned char last[LineRecord::kSize];
    const bool ends =
        m_recordCount > 0 && m_file->Probe(0, first) && m_file->Probe(m_recordCount - 1, last);
    m_atomic = AtomicDataFile::Open(AtomicDataFile::SidePath(m_path), m_recordCount,
                                    ends ? first : nullptr, ends ? last : nullptr, m_atomicProblem);
    if (!m_atomicProblem.empty()) {
        m_problems |= kAtomicData;
    }
}

bool WavetableFile::ChangedOnDisk() const
{
    return m_file->Changed();
}

uint8_t WavetableFile::TakeNewProblems()
{
    const uint8_t fresh = m_problems & ~m_reported;
    m_reported = m_problems;
    return fresh;
}

std::string WavetableFile::ProblemText(Problem problem) const
{
    switch (problem) {
        case kPartialRecord:
            return m_path + ": " + std::to_string(m_file->Size()) +
                   " bytes is not a whole number of 9-byte records; the last " +
                   std::to_string(m_file->Size() % LineRecord::kSize) + " bytes are ignored";
        case kUnsorted:
            return m_path + ": record " + std::to_string(m_faultAt + 1) +
                   " is out of wavelength order; the table is left out of the line list";
        case kAtomicData:
            return m_atomicProblem;
        case kUnreadable:
            return m_path + ": record " + std::to_string(m_faultAt + 1) +
                   " could not be read; the table is left out of the line list";
    }
    return m_path;
}

// Ends the use of the file's records: listing more of them could only give wrong lines.
void WavetableFile::Fail(Problem problem, uint32_t index)
{
    m_problems |= problem;
    m_faultAt = index;
    m_recordCount = 0;
    m_troubled = true;
    m_done = 1;
}

void WavetableFile::ReadInto(uint32_t index, WaveData& data) const
{
    data.table = this;
    data.recordIndex = index;
    const unsigned char* bytes = m_file->Record(index);
    data.record = bytes != nullptr ? LineRecord::FromBytes(bytes) : LineRecord{};
}

// Reads the next record of the scan, upward or downward, and checks it against its neighbour
// read before; false, ending the scan, when it cannot be read or is out of order.
bool WavetableFile::ReadScanned(uint32_t index, bool upward)
{
    const unsigned char* bytes = m_file->Record(index);
    if (bytes == nullptr) {
        Fail(kUnreadable, index);
        return false;
    }
    m_current.table = this;
    m_current.recordIndex = index;
    m_current.record = LineRecord::FromBytes(bytes);
    const int32_t wavelength = m_current.record.wavelength;
    if (!m_readAny) {
        m_readAny = true;
        m_lowestRead = m_highestRead = wavelength;
        return true;
    }
    if (upward ? wavelength < m_highestRead : wavelength > m_lowestRead) {
        Fail(kUnsorted, upward ? index : index + 1);
        return false;
    }
    (upward ? m_highestRead : m_lowestRead) = wavelength;
    return true;
}

void WavetableFile::ReadRecord(uint32_t index)
{
    ReadInto(index, m_current);
}

WaveData WavetableFile::RecordAt(uint32_t index) const
{
    WaveData data;
    ReadInto(index, data);
    return data;
}

int32_t WavetableFile::WavelengthAt(uint32_t index)
{
    if (index >= m_recordCount) {
        return -1;
    }
    ReadRecord(index);
    return m_current.record.wavelength;
}

void WavetableFile::CopyRecord(uint32_t index, WaveData& out)
{
    ReadRecord(index);
    out = m_current;
}

// The wavelength of record `index` for a binary search: a read of its own while the records
// searched are far apart, a whole block once they are close.
uint32_t WavetableFile::FindRecord(int32_t wavelength)
{
    // A table found out of order has no usable records, whatever its index says.
    return m_recordCount == 0 ? kNotFound : m_index.Find(*m_file, wavelength);
}

uint32_t WavetableFile::FirstAtOrAbove(int64_t wavelength)
{
    return m_recordCount == 0 ? 0 : m_index.FirstAtOrAbove(*m_file, wavelength);
}

uint32_t WavetableFile::ScannedCount() const
{
    if (m_recordCount == 0) {
        return 0;
    }
    return m_upperCursor - m_lowerCursor + 1;
}

bool WavetableFile::Passes(const LineRecord& record) const
{
    if (m_unfiltered != 0) {
        return true;
    }
    if (!m_tables.IsElementSelected(record.elementCode) ||
        !m_tables.IsValenceShown(record.valenceCode)) {
        return false;
    }
    const double ratio = m_useRatios != 0 ? m_tables.ElementRatio(record.elementCode) : 1.0;
    return record.intensityCode * ratio >= m_minIntensity;
}

void WavetableFile::SetLimits(int32_t low, int32_t high)
{
    m_lowerLimit = low;
    m_upperLimit = high > 0 ? high : kNoLimit;
}

void WavetableFile::Position(int32_t target)
{
    m_unfiltered = 0;
    m_done = 0;
    m_lastDown = kNoLimit;
    m_lastUp = 0;
    m_readAny = false;
    if (m_recordCount == 0) {
        m_done = 1;
        return;
    }
    const uint32_t found = FindRecord(target);
    if (found != kNotFound) {
        StartScanAt(found);
    } else {
        // Outside the file's range: start at whichever end is nearer.
        StartScanAt(target < WavelengthAt(0) ? 0 : LastIndex());
    }
    ApplyShortcut();
}

// The first upward read is the record at `index`, the first downward read the one below it.
void WavetableFile::StartScanAt(uint32_t index)
{
    if (index >= 1) {
        m_lowerCursor = index;
        m_upperCursor = index - 1;
    } else {
        m_lowerCursor = 1;
        m_upperCursor = 0;
    }
}

// Skips the per-record tests when no filter can reject a line, and the whole scan when no line
// can pass.
void WavetableFile::ApplyShortcut()
{
    if (m_minIntensity > 0) {
        return;
    }
    const auto& elements = m_tables.ElementTable;
    const auto selected = std::count_if(elements.begin(), elements.end(),
                                        [](const Element& e) { return e.selected != 0; });
    if (selected > 0 && static_cast<size_t>(selected) < elements.size()) {
        return;
    }
    const auto& flags = m_tables.ValenceFlags;
    const auto shown = std::count_if(flags.begin(), flags.begin() + kFirstValences,
                                     [](uint16_t flag) { return flag != 0; });
    if (shown == kFirstValences && selected > 0) {
        m_unfiltered = 1;
    } else if (shown == 0 || selected == 0) {
        m_done = 1;
        m_lowerCursor = 0;
        m_upperCursor = LastIndex();
    }
}

void WavetableFile::Step(ValidRecordsArray& list)
{
    if (m_done != 0) {
        return;
    }
    StepUp(list);
    if (m_done == 0) {
        StepDown(list);
    }
    if (m_done == 0) {
        NoteIfDone();
    }
}

void WavetableFile::NoteIfDone()
{
    if (m_lowerCursor == 0 && m_upperCursor == LastIndex()) {
        m_done = 1;
    }
}

// A limit at the end of the range of wavelengths is none: records of that very wavelength, or
// beyond it in a damaged file, are read too.
bool WavetableFile::BelowUpperLimit() const
{
    return m_lastUp < m_upperLimit || m_upperLimit == kNoLimit;
}

bool WavetableFile::AboveLowerLimit() const
{
    return m_lastDown > m_lowerLimit || m_lowerLimit == std::numeric_limits<int32_t>::min();
}

void WavetableFile::StepUp(ValidRecordsArray& list)
{
    if (m_upperCursor < LastIndex() && BelowUpperLimit()) {
        ReadUp(list);
    }
}

void WavetableFile::StepDown(ValidRecordsArray& list)
{
    if (m_lowerCursor > 0 && AboveLowerLimit()) {
        ReadDown(list);
    }
}

void WavetableFile::ReadUp(ValidRecordsArray& list)
{
    if (!ReadScanned(++m_upperCursor, true)) {
        return;
    }
    if (Passes(m_current.record)) {
        list.Insert(m_current, m_tableIndex);
    }
    m_lastUp = m_current.record.wavelength;
}

void WavetableFile::ReadDown(ValidRecordsArray& list)
{
    if (!ReadScanned(--m_lowerCursor, false)) {
        return;
    }
    if (Passes(m_current.record)) {
        list.Insert(m_current, m_tableIndex);
    }
    m_lastDown = m_current.record.wavelength;
}

// Equal wavelengths at a bound may lie in several records, so reading stops only past it.
// Nothing read upward yet leaves lastUp at 0, below any bound worth reading to.
void WavetableFile::ReadAround(ValidRecordsArray& list, int32_t low, int32_t high)
{
    if (m_done != 0) {
        return;
    }
    while (m_done == 0 && m_upperCursor < LastIndex() && m_lastUp <= high) {
        ReadUp(list);
    }
    while (m_done == 0 && m_lowerCursor > 0 && m_lastDown >= low) {
        ReadDown(list);
    }
    if (m_done == 0) {
        NoteIfDone();
    }
}

bool WavetableFile::CanStep() const
{
    if (m_done != 0) {
        return false;
    }
    return (m_upperCursor < LastIndex() && BelowUpperLimit()) ||
           (m_lowerCursor > 0 && AboveLowerLimit());
}

bool WavetableFile::Contains(int32_t wavelength)
{
    if (ScannedCount() == 0) {
        return false;
    }
    return WavelengthAt(m_lowerCursor) <= wavelength && wavelength <= WavelengthAt(m_upperCursor);
}
