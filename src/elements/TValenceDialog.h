#pragma once

#include <array>
#include <cstdint>

#include <QDialog>

class QCheckBox;

// Chooses the shown ionisation stages: one check box per valence flag I to XIX (indexes 1..19),
// Ox (24) and BH (25). Indexes 0 and 20..23 are neither shown nor changed.
class TValenceDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kFlagCount = 26;
    using FlagArray = std::array<uint16_t, kFlagCount>;

    // A non-zero flag shows checked.
    TValenceDialog(QWidget* parent, const FlagArray& flags);

    // The given flags with each shown one replaced by its check state (1 checked, 0 not).
    FlagArray Flags() const;

private:
    void CheckAll(bool checked);

    struct Box {
        int index;
        QCheckBox* check;
    };

    FlagArray m_flags;
    std::array<Box, 21> m_boxes;
};
