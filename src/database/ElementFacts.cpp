#include "database/ElementFacts.h"

#include "framework/AtomicFile.h"
#include "framework/StringUtil.h"
#include "framework/XmlNames.h"

#include <algorithm>
#include <charconv>
#include <expat.h>
#include <memory>

namespace {

// Collects the atoms of the repository: each <atom> holds <scalar dictRef="bo:...">number
// </scalar> and <label dictRef="bo:..." value="..."/> children.
class FactParser {
public:
    std::vector<ElementFact> facts;

    static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes)
    {
        static_cast<FactParser*>(self)->Start(LocalName(name), attributes);
    }
    static void OnEnd(void* self, const XML_Char* name)
    {
        static_cast<FactParser*>(self)->End(LocalName(name));
    }
    static void OnText(void* self, const XML_Char* text, int length)
    {
        auto* parser = static_cast<FactParser*>(self);
        if (!parser->m_scalar.empty()) {
            parser->m_text.append(text, static_cast<size_t>(length));
        }
    }

private:
    void Start(std::string_view name, const XML_Char** attributes)
    {
        const char* reference = Attribute(attributes, "dictRef");
        const std::string_view key = reference == nullptr ? "" : LocalName(reference);
        if (name == "atom") {
            m_atom = ElementFact();
            m_inAtom = true;
        } else if (m_inAtom && name == "label" && Attribute(attributes, "value") != nullptr) {
            const std::string value = Attribute(attributes, "value");
            if (key == "symbol") {
                m_atom.symbol = value;
            } else if (key == "name") {
                m_atom.name = value;
            }
        } else if (m_inAtom && name == "scalar") {
            m_scalar = std::string(key);
            m_text.clear();
        }
    }

    void End(std::string_view name)
    {
        if (name == "scalar" && !m_scalar.empty()) {
            Store(m_scalar, StripBlanks(m_text));
            m_scalar.clear();
        } else if (name == "atom") {
            m_inAtom = false;
            if (m_atom.atomicNumber > 0 && !m_atom.symbol.empty()) {
                facts.push_back(m_atom);  // the placeholder "Xx" has number 0
            }
        }
    }

    void Store(std::string_view key, const std::string& text)
    {
        double value = 0.0;
        if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
            return;
        }
        if (key == "atomicNumber") {
            m_atom.atomicNumber = static_cast<int>(value);
        } else if (key == "mass") {
            m_atom.mass = value;
        } else if (key == "ionization") {
            m_atom.ionisation = value;
        }
    }

    ElementFact m_atom;
    bool m_inAtom = false;
    std::string m_scalar;  // the dictRef of the open <scalar>
    std::string m_text;
};

}  // namespace

ElementFacts ElementFacts::Load(const std::string& path, std::string* error)
{
    ElementFacts facts;
    std::string content;
    if (!ReadWholeFile(path, content)) {
        *error = path + " cannot be read";
        return facts;
    }
    FactParser collected;
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate(nullptr), &XML_ParserFree);
    XML_SetUserData(parser.get(), &collected);
    XML_SetElementHandler(parser.get(), &FactParser::OnStart, &FactParser::OnEnd);
    XML_SetCharacterDataHandler(parser.get(), &FactParser::OnText);
    if (XML_Parse(parser.get(), content.data(), static_cast<int>(content.size()), XML_TRUE) !=
        XML_STATUS_OK) {
        *error = path + ", line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                 XML_ErrorString(XML_GetErrorCode(parser.get()));
        return facts;
    }
    std::sort(
        collected.facts.begin(), collected.facts.end(),
        [](const ElementFact& a, const ElementFact& b) { return a.atomicNumber < b.atomicNumber; });
    facts.m_facts = std::move(collected.facts);
    if (facts.Empty()) {
        *error = path + " lists no element";
    }
    return facts;
}

const ElementFacts& ElementFacts::Installed()
{
    static const ElementFacts installed = [] {
        std::string error;
        return Load(kInstalledPath, &error);
    }();
    return installed;
}

const ElementFact* ElementFacts::BySymbol(std::string_view symbol) const
{
    const auto found = std::find_if(m_facts.begin(), m_facts.end(), [symbol](const auto& fact) {
        return EqualsIgnoringCase(fact.symbol, symbol);
    });
    return found == m_facts.end() ? nullptr : &*found;
}

const ElementFact* ElementFacts::ByName(std::string_view name) const
{
    const auto found = std::find_if(m_facts.begin(), m_facts.end(), [name](const auto& fact) {
        return EqualsIgnoringCase(fact.name, name);
    });
    return found == m_facts.end() ? nullptr : &*found;
}

const ElementFact* ElementFacts::ByAtomicNumber(int atomicNumber) const
{
    const auto found =
        std::lower_bound(m_facts.begin(), m_facts.end(), atomicNumber,
                         [](const ElementFact& fact, int n) { return fact.atomicNumber < n; });
    return found != m_facts.end() && found->atomicNumber == atomicNumber ? &*found : nullptr;
}
