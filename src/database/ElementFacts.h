#pragma once

#include <string>
#include <string_view>
#include <vector>

// What chemistry knows of an element, beyond the symbol an installation lists.
struct ElementFact {
    int atomicNumber = 0;
    std::string symbol;
    std::string name;         // English, as "Iron"
    double mass = 0.0;        // standard atomic weight, u; 0 when unknown
    double ionisation = 0.0;  // first ionisation energy, eV; 0 when unknown
};

// The elements of the Blue Obelisk Data Repository (Debian's bodr package), by symbol, name
// or atomic number; symbols and names compare without regard to case. Without the repository
// the table is empty and every lookup finds nothing: the program then knows symbols only.
class ElementFacts {
public:
    static constexpr const char* kInstalledPath = "/usr/share/bodr/elements.xml";

    // Empty, with a message in `error`, when the file cannot be read or is not the repository.
    static ElementFacts Load(const std::string& path, std::string* error);
    // The repository installed with the program, read on first use.
    static const ElementFacts& Installed();

    const ElementFact* BySymbol(std::string_view symbol) const;
    const ElementFact* ByName(std::string_view name) const;
    const ElementFact* ByAtomicNumber(int atomicNumber) const;
    bool Empty() const { return m_facts.empty(); }

private:
    std::vector<ElementFact> m_facts;  // in order of atomic number
};
