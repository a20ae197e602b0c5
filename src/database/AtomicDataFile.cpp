#include "database/AtomicDataFile.h"

#include "database/AtomicDataFormat.h"
#include "database/LineRecord.h"
#include "framework/AtomicFile.h"
#include "framework/StringUtil.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace AtomicDataFormat;

namespace {

constexpr uint32_t kBlockRecords = 256;
// More than any list's texts and levels: a larger section means a damaged file.
constexpr uint64_t kMostSectionBytes = 64u << 20;

// Reads 16-, 32- and 64-bit numbers and byte runs from a section, failing past its end.
class SectionCursor {
public:
    explicit SectionCursor(const std::string& bytes) : m_bytes(bytes) {}

    template <typename T>
    bool Next(T& value)
    {
        if (m_bytes.size() - m_at < sizeof(T)) {
            return false;
        }
        value = Get<T>(reinterpret_cast<const unsigned char*>(m_bytes.data() + m_at));
        m_at += sizeof(T);
        return true;
    }
    bool Next(std::string& text, size_t length)
    {
        if (m_bytes.size() - m_at < length) {
            return false;
        }
        text.assign(m_bytes, m_at, length);
        m_at += length;
        return true;
    }
    bool Byte(uint8_t& value)
    {
        if (m_at >= m_bytes.size()) {
            return false;
        }
        value = static_cast<uint8_t>(m_bytes[m_at++]);
        return true;
    }

private:
    const std::string& m_bytes;
    size_t m_at = 0;
};

}  // namespace

std::string AtomicDataFile::SidePath(const std::string& tablePath)
{
    if (tablePath.size() > 4 && ToLower(tablePath.substr(tablePath.size() - 4)) == ".swt") {
        return tablePath.substr(0, tablePath.size() - 4) + ".swa";
    }
    return tablePath + ".swa";
}

std::unique_ptr<AtomicDataFile> AtomicDataFile::Open(const std::string& path, uint32_t tableRecords,
                                                     const unsigned char* first,
                                                     const unsigned char* last,
                                                     std::string& problem)
{
    problem.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno != ENOENT) {
            problem = path + ": " + std::strerror(errno) + "; its atomic data are not used";
        }
        return nullptr;
    }
    std::unique_ptr<AtomicDataFile> file(new AtomicDataFile(fd));
    struct stat info {};
    unsigned char header[kHeaderSize] = {};
    size_t done = 0;
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!regular || !ReadAtOffset(fd, 0, header, kHeaderSize, done) || done != kHeaderSize ||
        std::memcmp(header, kMagic, sizeof kMagic) != 0 ||
        Get<uint32_t>(header + kVersionAt) != kVersion ||
        Get<uint32_t>(header + kRecordSizeAt) != kRecordSize) {
        problem = path + ": is not an atomic data file of this version; it is not used";
        return nullptr;
    }
    const uint64_t count = Get<uint64_t>(header + kCountAt);
    if (count != tableRecords || first == nullptr || last == nullptr ||
        std::memcmp(header + kFirstRecordAt, first, LineRecord::kSize) != 0 ||
        std::memcmp(header + kLastRecordAt, last, LineRecord::kSize) != 0) {
        problem = path + ": was made for another table (" + std::to_string(count) +
                  " lines); its atomic data are not used";
        return nullptr;
    }
    file->m_count = static_cast<uint32_t>(count);
    file->m_textsAt = Get<uint64_t>(header + kTextsAt);
    file->m_levelsAt = Get<uint64_t>(header + kLevelsAt);
    const std::string fault = file->ReadSections(static_cast<uint64_t>(info.st_size));
    if (!fault.empty()) {
        problem = path + ": " + fault + "; its atomic data are not used";
        return nullptr;
    }
    return file;
}

AtomicDataFile::~AtomicDataFile()
{
    ::close(m_fd);
}

std::string AtomicDataFile::ReadSections(uint64_t size)
{
    const uint64_t recordsEnd = kHeaderSize + uint64_t{kRecordSize} * m_count;
    if (m_textsAt != recordsEnd || m_levelsAt < m_textsAt || m_levelsAt > size ||
        size - m_textsAt > kMostSectionBytes) {
        return "is damaged (its sections do not fit its size)";
    }
    std::string sections(size - m_textsAt, '\0');
    size_t done = 0;
    if (!ReadAtOffset(m_fd, m_textsAt, reinterpret_cast<unsigned char*>(sections.data()),
                      sections.size(), done) ||
        done != sections.size()) {
        return "could not be read";
    }
    const size_t textBytes = m_levelsAt - m_textsAt;
    if (!ReadTexts(sections.substr(0, textBytes)) || !ReadLevels(sections.substr(textBytes))) {
        return "is damaged (its texts or levels end early)";
    }
    return {};
}

bool AtomicDataFile::ReadTexts(const std::string& bytes)
{
    SectionCursor cursor(bytes);
    uint32_t count = 0;
    if (!cursor.Next(count) || count > bytes.size() / 2) {
        return false;
    }
    m_texts.resize(count);
    for (std::string& text : m_texts) {
        uint16_t length = 0;
        if (!cursor.Next(length) || !cursor.Next(text, length)) {
            return false;
        }
    }
    return true;
}

bool AtomicDataFile::ReadLevels(const std::string& bytes)
{
    SectionCursor cursor(bytes);
    uint32_t spectra = 0;
    if (!cursor.Next(spectra)) {
        return false;
    }
    for (uint32_t s = 0; s < spectra; ++s) {
        uint8_t element = 0;
        uint8_t stage = 0;
        uint32_t count = 0;
        if (!cursor.Byte(element) || !cursor.Byte(stage) || !cursor.Next(count) ||
            count > bytes.size() / 10) {
            return false;
        }
        std::vector<AtomicLevel>& levels = m_levels[{element, stage}];
        levels.resize(count);
        for (AtomicLevel& level : levels) {
            if (!cursor.Next(level.energy) || !cursor.Next(level.weight)) {
                return false;
            }
        }
    }
    return true;
}

const unsigned char* AtomicDataFile::Record(uint32_t index) const
{
    for (const Block& block : m_blocks) {
        if (index - block.first < block.count) {
            return block.bytes.data() + size_t{index - block.first} * kRecordSize;
        }
    }
    Block& block = m_blocks[m_older];
    m_older = 1 - m_older;
    block.first = index - index % kBlockRecords;
    block.bytes.resize(size_t{kBlockRecords} * kRecordSize);
    size_t done = 0;
    ReadAtOffset(m_fd, kHeaderSize + uint64_t{block.first} * kRecordSize, block.bytes.data(),
                 block.bytes.size(), done);
    block.count = static_cast<uint32_t>(done / kRecordSize);  // a shrunk file leaves it short
    if (index - block.first >= block.count) {
        return nullptr;
    }
    return block.bytes.data() + size_t{index - block.first} * kRecordSize;
}

std::string AtomicDataFile::Text(uint32_t code) const
{
    return code >= 1 && code <= m_texts.size() ? m_texts[code - 1] : std::string();
}

std::optional<AtomicLine> AtomicDataFile::Line(uint32_t index) const
{
    const unsigned char* record = index < m_count ? Record(index) : nullptr;
    if (record == nullptr) {
        return std::nullopt;
    }
    AtomicLine line;
    line.aki = Get<float>(record + kAkiAt);
    line.lowerEnergy = Get<double>(record + kLowerEnergyAt);
    line.upperEnergy = Get<double>(record + kUpperEnergyAt);
    line.uncertainty = Get<float>(record + kUncertaintyAt);
    line.lowerWeight = Get<uint16_t>(record + kLowerWeightAt);
    line.upperWeight = Get<uint16_t>(record + kUpperWeightAt);
    line.lowerConfiguration = Text(Get<uint32_t>(record + kTextCodesAt));
    line.lowerTerm = Text(Get<uint32_t>(record + kTextCodesAt + 4));
    line.upperConfiguration = Text(Get<uint32_t>(record + kTextCodesAt + 8));
    line.upperTerm = Text(Get<uint32_t>(record + kTextCodesAt + 12));
    line.ritz = (record[kFlagsAt] & kRitzFlag) != 0;
    return line;
}

std::optional<AtomicEmission> AtomicDataFile::Emission(uint32_t index) const
{
    const unsigned char* record = index < m_count ? Record(index) : nullptr;
    if (record == nullptr) {
        return std::nullopt;
    }
    return AtomicEmission{Get<float>(record + kAkiAt), Get<double>(record + kUpperEnergyAt),
                          Get<uint16_t>(record + kUpperWeightAt)};
}

const std::vector<AtomicLevel>& AtomicDataFile::Levels(uint8_t elementCode, uint8_t stage) const
{
    static const std::vector<AtomicLevel> kNone;
    const auto found = m_levels.find({elementCode, stage});
    return found != m_levels.end() ? found->second : kNone;
}
