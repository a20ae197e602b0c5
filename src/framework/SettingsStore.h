#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

class RegistryKey;

// One registry root (HKEY_CURRENT_USER or HKEY_CLASSES_ROOT) held in memory and persisted as a
// REGEDIT4 text file. Keys are backslash paths below the root; key and value names compare without
// case (ASCII and Latin-1 letters). Bad data never throws: what cannot be read reads as missing,
// and lines of the file that cannot be understood are kept and written back unchanged.
// Not thread-safe; RegistryKey handles must not outlive their store.
class SettingsStore {
public:
    enum class Root { CurrentUser, ClassesRoot };

    // REG_DWORD, REG_SZ (UTF-8 bytes) and REG_BINARY, in that order.
    using Value = std::variant<std::uint32_t, std::string, std::vector<std::uint8_t>>;

    SettingsStore(Root root, std::string filePath);
    // Keys point at each other: a store moves, leaving an empty one, but is not copied.
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    SettingsStore(SettingsStore&& other);
    SettingsStore& operator=(SettingsStore&& other);
    // Uses FilePathFor(root).
    explicit SettingsStore(Root root);

    // $SPEKLA_CONFIG_DIR, else $XDG_CONFIG_HOME/Spekla, else $HOME/.config/Spekla. Unset or empty
    // variables are skipped, and so is a relative XDG_CONFIG_HOME (the XDG base directory rule).
    static std::string ConfigDirectory();
    static std::string FilePathFor(Root root);
    // "HKEY_CURRENT_USER" or "HKEY_CLASSES_ROOT": the section prefix and the file's base name.
    static const char* RootName(Root root);
    // Components joined by single backslashes, empty components dropped; case is kept.
    static std::string NormalizePath(std::string_view path);
    // The registry's own limits. A section of the file naming a deeper key or a longer key name
    // is kept verbatim, unread, so that a hand-edited file cannot cost unbounded time or memory.
    static constexpr std::size_t kMaxKeyNameLength = 255;
    static constexpr std::size_t kMaxKeyDepth = 512;
    // Whether a normalized path is within those limits.
    static bool IsValidKeyPath(std::string_view normalizedPath);

    Root GetRoot() const { return m_root; }
    const std::string& FilePath() const { return m_filePath; }
    // True after a change that Load or a successful Save has not caught up with.
    bool IsModified() const { return m_modified; }

    // Replaces the contents with the file's. A missing file gives an empty store and succeeds;
    // damaged lines are kept, not errors. Fails (store left empty) only when the file exists but
    // cannot be read; then *error, when given, says why.
    bool Load(std::string* error = nullptr);
    // Replaces the file atomically (temporary file in the same folder, fsync, rename), creating
    // the folder when missing. On failure the old file is untouched and *error says why.
    bool Save(std::string* error = nullptr);
    // The same as Load and Save on text in memory: the store's contents become those of
    // `text`, and Text gives the file Save would write.
    void LoadText(const std::string& text);
    std::string Text() const { return Serialize(); }

    // Paths ignore empty components; "" is the root itself, which always exists.
    RegistryKey CreateKey(std::string_view path);
    std::optional<RegistryKey> OpenKey(std::string_view path);
    bool KeyExists(std::string_view path) const;
    // Deletes the key, its subkeys, their values and kept lines. False when missing or the root.
    bool DeleteKey(std::string_view path);
    // Names as first written, in creation (or file) order; empty when the key is missing.
    std::vector<std::string> SubKeyNames(std::string_view path) const;
    std::vector<std::string> ValueNames(std::string_view path) const;

    // The empty name is the key's default value. A value kept from the file in a type this store
    // does not handle (hex(2), hex(7), ...) exists but reads as missing.
    std::optional<Value> GetValue(std::string_view path, std::string_view name) const;
    // Creates the key (and its parents) when missing; replaces any value of that name.
    void SetValue(std::string_view path, std::string_view name, Value value);
    bool DeleteValue(std::string_view path, std::string_view name);
    bool HasValue(std::string_view path, std::string_view name) const;

private:
    // A value, or a line kept verbatim: named when it is a value of a foreign type, unnamed when
    // it could not be understood at all.
    struct Entry {
        std::optional<std::string> name;
        std::optional<Value> value;
        std::string keptText;
    };
    // One section of the file: a key of this root, or a section kept verbatim (another root, or a
    // header that could not be understood), whose header line is then held in `header`. Keys
    // form a tree: each holds its own name only, so memory stays in proportion to the file
    // however deep its keys are.
    struct Section;
    using SectionList = std::list<Section>;
    struct Section {
        std::string name;           // the last component, as first written; "" for the root
        Section* parent = nullptr;  // null for the root and for kept sections
        std::unordered_map<std::string, Section*> children;  // by case-folded name
        SectionList::iterator self;
        std::vector<Entry> entries;
        // Named entries by case-folded name, so that loading a key's values takes linear time.
        std::unordered_map<std::string, std::size_t> entryIndex;
        bool foreign = false;
        bool listed = true;      // false for the root until it has a section of its own
        bool hadHeader = false;  // written even without values, so a reloaded file re-saves as is
        std::string header;
    };

    Section* FindKey(std::string_view normalizedPath);
    const Section* FindKey(std::string_view normalizedPath) const;
    Section& EnsureKey(std::string_view normalizedPath);
    Section& AddSection(Section section);
    static std::string FullPath(const Section& section);
    static std::optional<std::size_t> FindEntry(const Section& section, std::string_view name);
    static void PutEntry(Section& section, Entry entry);
    static void EraseEntry(Section& section, std::size_t index);
    void Clear();

    void Parse(const std::string& text);
    Section& StartSection(const std::string& line);
    static void AddLine(Section& section, const std::string& raw, std::string_view logical);
    std::string Serialize() const;

    Root m_root;
    std::string m_filePath;
    SectionList m_sections;  // in file order
    Section* m_rootKey = nullptr;
    std::vector<std::string> m_preamble;  // lines before the first section
    bool m_modified = false;
};
