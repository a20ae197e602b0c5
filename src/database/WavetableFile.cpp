#include "database/WavetableFile.h"

#include "database/TextTables.h"
#include "database/ValidRecordsArray.h"
#include "framework/MappedFile.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr uint64_t kMaxRecords = 0xFFFFFFFE;  // indexes are 32-bit; all bits set means "none"
constexpr int32_t kNoLimit = 2147483647;
constexpr int kFirstValences = 20;  // valence codes taking part in the no-filter shortcut

}  // namespace

WavetableFile::WavetableFile(const std::string& path, std::string label, const TextTables& tables)
    : fileName(ToLower(std::filesystem::path(path).filename().string())),
      label(std::move(label)),
      m_file(std::make_unique<MappedFile>(path)),
      m_tables(tables)
{
    // A trailing part of 8 bytes still counts as a (short) record.
    m_recordCount =
        static_cast<uint32_t>(std::min((m_file->Size() + 1) / LineRecord::kSize, kMaxRecords));
}

WavetableFile::~WavetableFile() = default;

void WavetableFile::ReadInto(uint32_t index, WaveData& data) const
{
    data.table = this;
    data.recordIndex = index;
    const uint64_t offset = uint64_t{index} * LineRecord::kSize;
    if (m_file->Data() != nullptr && offset + LineRecord::kSize <= m_file->Size()) {
        data.record = LineRecord::FromBytes(m_file->Data() + offset);  // the common, fast case
        return;
    }
    unsigned char bytes[LineRecord::kSize];
    const size_t got = m_file->Read(offset, bytes, LineRecord::kSize);
    if (got < LineRecord::kSize) {
        // Bytes past the end keep what the record held before.
        unsigned char previous[LineRecord::kSize];
        data.record.ToBytes(previous);
        std::copy(previous + got, previous + LineRecord::kSize, bytes + got);
    }
    data.record = LineRecord::FromBytes(bytes);
}

void WavetableFile::ReadRecord(uint32_t index)
{
    ReadInto(index, current);
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
    return current.record.wavelength;
}

void WavetableFile::CopyRecord(uint32_t index, WaveData& out)
{
    ReadRecord(index);
    out = current;
}

uint32_t WavetableFile::FindRecord(int32_t wavelength)
{
    if (m_recordCount == 0 || WavelengthAt(LastIndex()) < wavelength ||
        WavelengthAt(0) > wavelength) {
        return kNotFound;
    }
    uint32_t low = 0;
    uint32_t high = LastIndex();
    while (true) {
        const uint32_t mid = low + (high - low) / 2;
        const int32_t found = WavelengthAt(mid);
        if (found == wavelength) {
            return mid;
        }
        if (high - low <= 1) {
            // Two neighbours left: the upper one may hold the target exactly.
            return WavelengthAt(high) == wavelength ? high : mid;
        }
        if (found <= wavelength) {
            low = mid;
        } else {
            high = mid;
        }
    }
}

uint32_t WavetableFile::ScannedCount() const
{
    if (m_recordCount == 0) {
        return 0;
    }
    return upperCursor - lowerCursor + 1;
}

bool WavetableFile::Passes(const LineRecord& record) const
{
    if (unfiltered != 0) {
        return true;
    }
    if (!m_tables.IsElementSelected(record.elementCode) ||
        !m_tables.IsValenceShown(record.valenceCode)) {
        return false;
    }
    const double ratio = useRatios != 0 ? m_tables.ElementRatio(record.elementCode) : 1.0;
    return record.intensityCode * ratio >= minIntensity;
}

void WavetableFile::SetLimits(int32_t low, int32_t high)
{
    lowerLimit = low;
    upperLimit = high > 0 ? high : kNoLimit;
}

void WavetableFile::Position(int32_t target)
{
    unfiltered = 0;
    done = 0;
    lastDown = kNoLimit;
    lastUp = 0;
    if (m_recordCount == 0) {
        done = 1;
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
        lowerCursor = index;
        upperCursor = index - 1;
    } else {
        lowerCursor = 1;
        upperCursor = 0;
    }
}

// Skips the per-record tests when no filter can reject a line, and the whole scan when no line
// can pass.
void WavetableFile::ApplyShortcut()
{
    if (minIntensity > 0) {
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
        unfiltered = 1;
    } else if (shown == 0 || selected == 0) {
        done = 1;
        lowerCursor = 0;
        upperCursor = LastIndex();
    }
}

void WavetableFile::Step(ValidRecordsArray& list)
{
    if (done != 0) {
        return;
    }
    StepUp(list);
    StepDown(list);
    NoteIfDone();
}

void WavetableFile::NoteIfDone()
{
    if (lowerCursor == 0 && upperCursor == LastIndex()) {
        done = 1;
    }
}

void WavetableFile::StepUp(ValidRecordsArray& list)
{
    if (upperCursor < LastIndex() && lastUp < upperLimit) {
        ReadUp(list);
    }
}

void WavetableFile::StepDown(ValidRecordsArray& list)
{
    if (lowerCursor > 0 && lastDown > lowerLimit) {
        ReadDown(list);
    }
}

void WavetableFile::ReadUp(ValidRecordsArray& list)
{
    ReadRecord(++upperCursor);
    if (Passes(current.record)) {
        list.Insert(current, m_tableIndex);
    }
    lastUp = current.record.wavelength;
}

void WavetableFile::ReadDown(ValidRecordsArray& list)
{
    ReadRecord(--lowerCursor);
    if (Passes(current.record)) {
        list.Insert(current, m_tableIndex);
    }
    lastDown = current.record.wavelength;
}

// Equal wavelengths at a bound may lie in several records, so reading stops only past it.
// Nothing read upward yet leaves lastUp at 0, below any bound worth reading to.
void WavetableFile::ReadAround(ValidRecordsArray& list, int32_t low, int32_t high)
{
    if (done != 0) {
        return;
    }
    while (upperCursor < LastIndex() && lastUp <= high) {
        ReadUp(list);
    }
    while (lowerCursor > 0 && lastDown >= low) {
        ReadDown(list);
    }
    NoteIfDone();
}

bool WavetableFile::CanStep() const
{
    if (done != 0) {
        return false;
    }
    return (upperCursor < LastIndex() && lastUp < upperLimit) ||
           (lowerCursor > 0 && lastDown > lowerLimit);
}

bool WavetableFile::Contains(int32_t wavelength)
{
    if (ScannedCount() == 0) {
        return false;
    }
    return WavelengthAt(lowerCursor) <= wavelength && wavelength <= WavelengthAt(upperCursor);
}
