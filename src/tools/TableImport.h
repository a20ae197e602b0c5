#pragma once

#include "tools/CodeTable.h"
#include "tools/ElementLookup.h"
#include "tools/ImportCounts.h"
#include "tools/ImportOptions.h"
#include "tools/SourceLine.h"

class FileReplacement;
class TableBuilder;

#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One run of the table maker. Every input is read first, each line turned into a record as it
// is read (only the records are held, not the lines); only then are the files written:
// DESCRIPT and REFERENC (when they grew) and the table each go to a temporary file, and only
// when all three are written are they renamed into place, in that order. The table's atomic
// data file (NAME.swa), written with them when any line had atomic data, is renamed right after
// the table; a table without atomic data removes the old one, which described other lines.
// A failure at any point before the renames changes nothing in the installation folder, and
// neither does an import that keeps no line. Temporary files a killed import left behind are
// removed before writing. From loading the installation to the last rename a run holds the
// folder's FolderLock, so imports into one folder take turns; its lock file stays in the folder,
// empty.
class TableImport {
public:
    enum Status { kSuccess = 0, kWriteFailed = 1, kBadInput = 2 };

    // The whole program: parses `arguments` (without the program name), runs the import and
    // reports to `out` (summary) and `err` (errors). Returns the exit status.
    static int Main(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);

    explicit TableImport(ImportOptions options) : m_options(std::move(options)) {}

    int Run(std::ostream& out, std::ostream& err);

    // Per input file (in the order given) what became of its lines; filled by Run.
    const std::vector<std::pair<std::string, ImportCounts>>& FileCounts() const
    {
        return m_fileCounts;
    }

    // nist, csv or xml, from a file's first characters and header row.
    static InputFormat GuessFormat(std::string_view content);

private:
    // The folder exists and no input file is given twice.
    bool CheckArguments(std::string& error) const;
    // The import proper, while this run holds the lock on the folder.
    int RunLocked(std::ostream& out, std::ostream& err);
    bool LoadInstallation(std::string& error);
    bool CheckTablePath(std::string& error) const;
    bool ReadInputs(TableBuilder& builder, std::ostream& out, std::string& error);
    ReadContext ContextFor(const std::string& path, InputFormat format, std::ostream& out) const;
    void RemoveLeftovers(std::ostream& out) const;
    int WriteFiles(TableBuilder& builder, std::ostream& out, std::ostream& err);
    // After the table's rename: puts its atomic data file in place, or removes the old one.
    bool CommitSideFile(FileReplacement& side, std::ostream& err) const;
    bool RemoveOldSideFile(std::ostream& out, std::ostream& err) const;
    // What the folder holds after a failed rename, given the text files staged with their
    // new contents.
    std::string AfterFailedCommit(
        const std::vector<std::pair<const CodeTable*, std::string>>& texts) const;
    void PrintCounts(std::ostream& out) const;
    void PrintSummary(size_t written, size_t atomic, std::ostream& out) const;
    std::string PathInDirectory(const std::string& name) const;
    std::string TablePath() const;
    std::string SidePath() const;

    ImportOptions m_options;
    ElementLookup m_elements;
    CodeTable m_descriptions;
    CodeTable m_references;
    std::vector<std::pair<std::string, ImportCounts>> m_fileCounts;
};
