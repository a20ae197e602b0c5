#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One tag of an XML text.
struct XmlTag {
    std::string name;          // local name: a namespace prefix ("bo:") is dropped
    bool closing = false;      // </name>
    bool selfClosing = false;  // <name/>
    bool complete = true;      // false when the text ends inside the tag
    std::vector<std::pair<std::string, std::string>> attributes;  // entities decoded

    // The value of attribute `name` (local name); nullptr when the tag has none.
    const std::string* Attribute(std::string_view name) const;
};

// A small, forgiving reader of XML tags for data files: it walks from tag to tag, skipping
// text, comments, processing instructions, CDATA and declarations. It never fails: a value
// without quotes runs to the next blank or '>', an attribute without '=' has an empty value,
// and a text that ends inside a tag gives that tag marked incomplete.
class XmlScanner {
public:
    explicit XmlScanner(std::string_view text) : m_text(text) {}

    // The next tag; false at the end of the text.
    bool Next(XmlTag& tag);

private:
    bool SkipSpecial();
    void ReadAttributes(XmlTag& tag);
    std::string ReadName();
    std::string ReadValue();
    void SkipBlanks();

    std::string_view m_text;
    size_t m_pos = 0;
};
