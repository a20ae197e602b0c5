#include "database/ValidRecordsArray.h"

#include "database/ListWalk.h"
#include "database/RecordReader.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// What a slot that cannot be merged reads as (a table found out of order while listed): no
// table, so no record.
constexpr ListedLine kNoLine{0, 0xFFFF, 0xFFFFFFFF};

}  // namespace

ValidRecordsArray::ValidRecordsArray(const RecordReader& reader) : m_lines(reader) {}

uint32_t ValidRecordsArray::Cursor() const
{
    if (!m_hasCursor) {
        return kNone;
    }
    if (m_cursorSlot == kNone) {
        m_cursorSlot = m_lines.CountBefore(m_cursorLine);
    }
    return m_cursorSlot;
}

int32_t ValidRecordsArray::CurrentWavelength() const
{
    return m_hasCursor ? m_cursorLine.wavelength : m_target;
}

WaveData ValidRecordsArray::ItemAt(uint32_t slot) const
{
    const ListedLine line = LineAt(slot);
    return m_lines.Reader().RecordAt(line.tableIndex, line.recordIndex);
}

bool ValidRecordsArray::IsDuplicate(uint32_t slotA, uint32_t slotB) const
{
    const ListedLine a = LineAt(slotA);
    const ListedLine b = LineAt(slotB);
    if (a.wavelength != b.wavelength) {
        return false;
    }
    const RecordReader& reader = m_lines.Reader();
    return reader.RecordAt(a.tableIndex, a.recordIndex)
        .IsDuplicateOf(reader.RecordAt(b.tableIndex, b.recordIndex));
}

uint32_t ValidRecordsArray::Distance(int32_t a, int32_t b)
{
    return static_cast<uint32_t>(std::llabs(int64_t{a} - int64_t{b}));
}

void ValidRecordsArray::Insert(const WaveData& line, uint16_t tableIndex)
{
    ++m_revision;
    const ListedLine listed{line.record.wavelength, tableIndex, line.recordIndex};
    if (!m_lines.Add(listed)) {
        return;
    }
    // The window and the cursor keep their lines; only a line inside the window breaks it.
    if (!m_window.empty()) {
        if (m_lines.Less(listed, m_window.front())) {
            ++m_windowFirst;
        } else if (m_lines.Less(listed, m_window.back())) {
            m_window.clear();
        }
    }
    if (m_hasCursor && m_cursorSlot != kNone && m_lines.Less(listed, m_cursorLine)) {
        ++m_cursorSlot;
    }
    TrackCursor(listed);
}

// While the list fills, the cursor goes to the line nearest to the target so far.
void ValidRecordsArray::TrackCursor(const ListedLine& line)
{
    const uint32_t distance = Distance(line.wavelength, m_target);
    if (!m_hasCursor || distance < m_bestDistance) {
        m_bestDistance = distance;
        m_cursorLine = line;
        m_hasCursor = true;
        m_cursorSlot = kNone;
    }
}

void ValidRecordsArray::PlaceCursor(uint32_t slot, const ListedLine& line)
{
    m_cursorLine = line;
    m_cursorSlot = slot;
    m_hasCursor = true;
}

uint32_t ValidRecordsArray::Search(int32_t wavelength) const
{
    if (IsEmpty()) {
        return kNone;
    }
    return std::min(m_lines.CountBefore(ListedLine::StartOf(wavelength)), Count() - 1);
}

bool ValidRecordsArray::SetTarget(int32_t wavelength)
{
    ++m_revision;
    m_target = wavelength;
    if (IsEmpty() || wavelength < m_lines.LowestWavelength() ||
        wavelength > m_lines.HighestWavelength()) {
        Reset();
        return true;
    }
    // The first line at or above the wavelength, or the one below it when that is nearer.
    const ListedLine place = ListedLine::StartOf(wavelength);
    const Anchor anchor{place, m_lines.CountBefore(place)};
    uint32_t slot = std::min(anchor.slot, Count() - 1);
    if (!WindowHolds(slot) || (slot > 0 && !WindowHolds(slot - 1))) {
        LoadWindow(slot, &anchor);
    }
    ListedLine line = LineAt(slot);
    if (slot > 0) {
        const ListedLine below = LineAt(slot - 1);
        if (Distance(below.wavelength, wavelength) < Distance(line.wavelength, wavelength)) {
            --slot;
            line = below;
        }
    }
    PlaceCursor(slot, line);
    m_bestDistance = Distance(line.wavelength, wavelength);
    return false;
}

void ValidRecordsArray::Reset()
{
    ++m_revision;
    m_lines.Clear();
    m_window.clear();
    m_hasCursor = false;
    m_cursorSlot = kNone;
    m_bestDistance = 0xFFFFFFFF;
}

bool ValidRecordsArray::SetCursor(uint32_t slot)
{
    if (IsEmpty()) {
        return false;
    }
    slot = std::min(slot, Last());
    if (slot == Cursor()) {
        return false;
    }
    PlaceCursor(slot, LineAt(slot));
    m_target = m_cursorLine.wavelength;
    m_bestDistance = 0;
    ++m_revision;
    return true;
}

// One pass whatever `steps` is, so that a move costs one walk over the lines it passes.
int ValidRecordsArray::Move(int steps)
{
    if (IsEmpty() || steps == 0) {
        return 0;
    }
    const uint32_t cursor = Cursor();
    const uint32_t ahead = steps > 0 ? Last() - cursor : cursor;
    const auto wanted = static_cast<uint32_t>(std::llabs(int64_t{steps}));
    if (ahead > kWalkLimit && wanted >= ahead) {
        return JumpToEnd(steps > 0);
    }
    int moved = 0;
    uint32_t at = cursor;
    uint32_t i = cursor;
    // Counting toward zero in both directions never negates `steps`, which may be INT_MIN.
    while (moved < steps && i < Last()) {
        ++i;
        if (!IsDuplicate(i, i - 1)) {
            at = i;
            ++moved;
        }
    }
    while (moved > steps && i > 0) {
        --i;
        if (!IsDuplicate(i, i + 1)) {
            at = i;
            --moved;
        }
    }
    if (moved != 0) {
        PlaceCursor(at, LineAt(at));
        m_target = m_cursorLine.wavelength;
        m_bestDistance = 0;
        ++m_revision;
    }
    return moved;
}

// The first line of the last group, or the last line of the first group, as a walk would end.
int ValidRecordsArray::JumpToEnd(bool up)
{
    uint32_t slot = up ? Last() : 0;
    if (up) {
        while (slot > 0 && IsDuplicate(slot - 1, slot)) {
            --slot;
        }
    } else {
        while (slot < Last() && IsDuplicate(slot + 1, slot)) {
            ++slot;
        }
    }
    const int64_t passed = int64_t{slot} - int64_t{Cursor()};
    if (passed == 0) {
        return 0;
    }
    PlaceCursor(slot, LineAt(slot));
    m_target = m_cursorLine.wavelength;
    m_bestDistance = 0;
    ++m_revision;
    return static_cast<int>(std::clamp<int64_t>(passed, -INT_MAX, INT_MAX));
}

bool ValidRecordsArray::CanMove(bool forward) const
{
    if (IsEmpty()) {
        return false;
    }
    if (forward) {
        for (uint32_t i = Cursor(); i < Last(); ++i) {
            if (!IsDuplicate(i + 1, i)) {
                return true;
            }
        }
    } else {
        for (uint32_t i = Cursor(); i > 0; --i) {
            if (!IsDuplicate(i - 1, i)) {
                return true;
            }
        }
    }
    return false;
}

size_t ValidRecordsArray::MemoryBytes() const
{
    return m_lines.MemoryBytes() + m_window.capacity() * sizeof(ListedLine);
}

ListedLine ValidRecordsArray::LineAt(uint32_t slot) const
{
    if (!WindowHolds(slot)) {
        LoadWindow(slot, nullptr);
    }
    return WindowHolds(slot) ? m_window[slot - m_windowFirst] : kNoLine;
}

bool ValidRecordsArray::WindowHolds(uint32_t slot) const
{
    return slot >= m_windowFirst && slot - m_windowFirst < m_window.size();
}

// Merges the lines about `slot`, walking from the nearest known place.
void ValidRecordsArray::LoadWindow(uint32_t slot, const Anchor* hint) const
{
    const uint32_t count = Count();
    if (slot >= count) {
        m_window.clear();
        return;
    }
    uint32_t begin = slot > kWindow / 2 ? slot - kWindow / 2 : 0;
    begin = count > kWindow ? std::min(begin, count - kWindow) : 0;
    const Anchor anchor = NearestAnchor(begin, hint);
    m_window.clear();
    ListedLine line;
    m_windowFirst = anchor.slot;
    if (begin < anchor.slot) {
        ListWalk down(m_lines, anchor.place, false);
        for (uint32_t n = anchor.slot - begin; n > 0 && down.Next(line); --n) {
            m_window.push_back(line);
        }
        std::reverse(m_window.begin(), m_window.end());
        m_windowFirst -= static_cast<uint32_t>(m_window.size());
    }
    ListWalk up(m_lines, anchor.place, true);
    if (begin > anchor.slot) {
        m_windowFirst += up.Skip(begin - anchor.slot);
    }
    while (m_window.size() < kWindow && up.Next(line)) {
        m_window.push_back(line);
    }
}

ValidRecordsArray::Anchor ValidRecordsArray::NearestAnchor(uint32_t slot, const Anchor* hint) const
{
    std::vector<Anchor> known = {{m_lines.Lowest(), 0}, {m_lines.Highest(), Last()}};
    if (hint != nullptr) {
        known.push_back(*hint);
    }
    if (!m_window.empty()) {
        known.push_back({m_window.front(), m_windowFirst});
    }
    if (m_hasCursor) {
        known.push_back({m_cursorLine, Cursor()});
    }
    const auto distance = [slot](const Anchor& a) {
        return a.slot > slot ? a.slot - slot : slot - a.slot;
    };
    const Anchor nearest = *std::min_element(
        known.begin(), known.end(),
        [&distance](const Anchor& a, const Anchor& b) { return distance(a) < distance(b); });
    return distance(nearest) <= kWalkLimit ? nearest : AnchorAtSlot(slot);
}

// The lines below a wavelength are counted from the tables, so the wavelength where `slot`
// lies is found by halving the range of wavelengths listed.
ValidRecordsArray::Anchor ValidRecordsArray::AnchorAtSlot(uint32_t slot) const
{
    int64_t low = m_lines.LowestWavelength();
    int64_t high = m_lines.HighestWavelength();
    while (low < high) {
        const int64_t middle = low + (high - low + 1) / 2;
        if (m_lines.CountBefore(ListedLine::StartOf(static_cast<int32_t>(middle))) <= slot) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    const ListedLine place = ListedLine::StartOf(static_cast<int32_t>(low));
    return {place, m_lines.CountBefore(place)};
}
