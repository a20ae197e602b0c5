#pragma once

// How the element pane arranges the element cells.
enum class ElementLayout : int { Periodic = 0, Alphabetical = 1, AtomicNumber = 2 };

// The element pane as the commands see it.
class ElementView {
public:
    virtual ~ElementView() = default;

    virtual ElementLayout Layout() const = 0;
    virtual void SetLayout(ElementLayout layout) = 0;
};
