#include "database/AtomicDataWriter.h"

#include "database/AtomicDataFormat.h"
#include "database/LineRecord.h"

#include <cstring>
#include <limits>

using namespace AtomicDataFormat;

namespace {

void AddLevel(std::set<AtomicLevel>& levels, double energy, uint16_t weight)
{
    if (std::isfinite(energy) && weight > 0) {
        levels.insert({energy, weight});
    }
}

}  // namespace

uint32_t AtomicDataWriter::TextCode(const std::string& text)
{
    if (text.empty()) {
        return 0;
    }
    size_t length = std::min(text.size(), kMostTextBytes);
    while (length < text.size() && length > 0 &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;  // never cut a UTF-8 character in two
    }
    const std::string kept = text.substr(0, length);
    const auto [at, added] = m_codes.try_emplace(kept, static_cast<uint32_t>(m_texts.size() + 1));
    if (added) {
        m_texts.push_back(kept);
    }
    return at->second;
}

void AtomicDataWriter::Add(const AtomicLine& line, uint8_t elementCode, uint8_t stage)
{
    unsigned char record[kRecordSize] = {};
    Put(record + kAkiAt, static_cast<float>(line.aki));
    Put(record + kLowerEnergyAt, line.lowerEnergy);
    Put(record + kUpperEnergyAt, line.upperEnergy);
    Put(record + kUncertaintyAt, static_cast<float>(line.uncertainty));
    Put(record + kLowerWeightAt, line.lowerWeight);
    Put(record + kUpperWeightAt, line.upperWeight);
    const uint32_t codes[4] = {TextCode(line.lowerConfiguration), TextCode(line.lowerTerm),
                               TextCode(line.upperConfiguration), TextCode(line.upperTerm)};
    for (unsigned i = 0; i < 4; ++i) {
        Put(record + kTextCodesAt + 4 * i, codes[i]);
    }
    record[kFlagsAt] = line.ritz ? kRitzFlag : 0;
    m_records.append(reinterpret_cast<const char*>(record), kRecordSize);
    ++m_lineCount;
    m_hasData = m_hasData || !line.IsEmpty();
    std::set<AtomicLevel>& levels = m_levels[{elementCode, stage}];
    AddLevel(levels, line.lowerEnergy, line.lowerWeight);
    AddLevel(levels, line.upperEnergy, line.upperWeight);
}

std::string AtomicDataWriter::Header(uint64_t count, const LineRecord& first,
                                     const LineRecord& last, uint64_t textsAt,
                                     uint64_t levelsAt) const
{
    std::string header(kHeaderSize, '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(header.data());
    std::memcpy(bytes, kMagic, sizeof kMagic);
    Put(bytes + kVersionAt, kVersion);
    Put(bytes + kRecordSizeAt, uint32_t{kRecordSize});
    Put(bytes + kCountAt, count);
    first.ToBytes(bytes + kFirstRecordAt);
    last.ToBytes(bytes + kLastRecordAt);
    Put(bytes + kTextsAt, textsAt);
    Put(bytes + kLevelsAt, levelsAt);
    return header;
}

std::string AtomicDataWriter::Texts() const
{
    std::string bytes;
    Append(bytes, static_cast<uint32_t>(m_texts.size()));
    for (const std::string& text : m_texts) {
        Append(bytes, static_cast<uint16_t>(text.size()));
        bytes += text;
    }
    return bytes;
}

std::string AtomicDataWriter::Levels() const
{
    std::string bytes;
    Append(bytes, static_cast<uint32_t>(m_levels.size()));
    for (const auto& [spectrum, levels] : m_levels) {
        bytes += static_cast<char>(spectrum.first);
        bytes += static_cast<char>(spectrum.second);
        Append(bytes, static_cast<uint32_t>(levels.size()));
        for (const AtomicLevel& level : levels) {
            Append(bytes, level.energy);
            Append(bytes, level.weight);
        }
    }
    return bytes;
}

std::string AtomicDataWriter::Bytes(const std::vector<uint32_t>& order, const LineRecord& first,
                                    const LineRecord& last) const
{
    const uint64_t textsAt = kHeaderSize + uint64_t{kRecordSize} * order.size();
    const std::string texts = Texts();
    std::string bytes = Header(order.size(), first, last, textsAt, textsAt + texts.size());
    bytes.reserve(textsAt + texts.size() + 64);
    for (const uint32_t added : order) {
        bytes.append(m_records, size_t{added} * kRecordSize, kRecordSize);
    }
    return bytes + texts + Levels();
}
