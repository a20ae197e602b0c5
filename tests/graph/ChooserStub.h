#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <QColor>

// Answers every TColourButton's colour chooser while it lives, instead of a modal dialog: with
// the answers given, in turn (nothing stands for Cancel), then with Cancel. Remembers the colour
// each opening started on.
class ChooserStub {
public:
    explicit ChooserStub(std::vector<std::optional<QColor>> answers = {});
    ~ChooserStub();
    ChooserStub(const ChooserStub&) = delete;
    ChooserStub& operator=(const ChooserStub&) = delete;

    const std::vector<QColor>& Openings() const { return m_openings; }

private:
    std::vector<std::optional<QColor>> m_answers;
    std::vector<QColor> m_openings;
};
