#include "ChooserStub.h"

#include "graph/TColourButton.h"

ChooserStub::ChooserStub(std::vector<std::optional<QColor>> answers) : m_answers(std::move(answers))
{
    TColourButton::SetChooser([this](QWidget*, const QColor& initial) -> std::optional<QColor> {
        const std::size_t index = m_openings.size();
        m_openings.push_back(initial);
        return index < m_answers.size() ? m_answers[index] : std::nullopt;
    });
}

ChooserStub::~ChooserStub()
{
    TColourButton::SetChooser({});
}
