#include "tools/TableImport.h"

#include "database/AtomicDataFile.h"
#include "framework/AtomicFile.h"
#include "framework/FileReplacement.h"
#include "framework/FolderLock.h"
#include "tools/CsvReader.h"
#include "tools/ImportCommandLine.h"
#include "tools/NistReader.h"
#include "tools/TableBuilder.h"
#include "tools/XmlPeakReader.h"

#include <filesystem>
#include <map>
#include <ostream>
#include <sys/stat.h>

namespace {

constexpr const char* kProgram = "spekla-import";

const char* FormatName(InputFormat format)
{
    switch (format) {
        case InputFormat::kNist:
            return "nist";
        case InputFormat::kCsv:
            return "csv";
        case InputFormat::kXml:
            return "xml";
        case InputFormat::kGuess:
            break;
    }
    return "unknown";
}

ReadResult ReadAs(InputFormat format, std::string_view content, const ReadContext& context,
                  const LineSink& sink)
{
    switch (format) {
        case InputFormat::kNist:
            return NistReader::Read(content, context, sink);
        case InputFormat::kXml:
            return XmlPeakReader::Read(content, context, sink);
        case InputFormat::kCsv:
        case InputFormat::kGuess:
            break;
    }
    return CsvReader::Read(content, context, sink);
}

// A temporary file of an earlier import into this folder: of the code tables, of a table or
// of its atomic data.
bool IsLeftoverTemporary(const std::string& name)
{
    const std::string target = FileReplacement::TargetOfTemporary(name);
    return target == "DESCRIPT" || target == "REFERENC" ||
           (target.size() > 4 && (target.ends_with(".swt") || target.ends_with(".swa")));
}

std::string FileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

}  // namespace

int TableImport::Main(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err)
{
    ImportOptions options;
    std::string error;
    if (!ImportCommandLine::Parse(arguments, options, error)) {
        err << kProgram << ": " << error << "\nTry '" << kProgram << " --help'.\n";
        return kBadInput;
    }
    if (options.help) {
        out << ImportCommandLine::Usage();
        return kSuccess;
    }
    return TableImport(std::move(options)).Run(out, err);
}

InputFormat TableImport::GuessFormat(std::string_view content)
{
    const size_t first = content.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string_view::npos && content[first] == '<') {
        return InputFormat::kXml;
    }
    return NistReader::Recognises(content) ? InputFormat::kNist : InputFormat::kCsv;
}

int TableImport::Run(std::ostream& out, std::ostream& err)
{
    std::string error;
    if (!CheckArguments(error)) {
        err << kProgram << ": " << error << '\n';
        return kBadInput;
    }
    // Held until the files are renamed: an import into the same folder at the same time would
    // load the same DESCRIPT, and whichever renamed last would drop the other's new texts.
    const auto lock = FolderLock::Acquire(
        m_options.directory, kProgram,
        [&](const std::string& holder) {
            out << "waiting for " << m_options.directory << ": held by " << holder << std::endl;
        },
        &error);
    if (!lock) {
        err << kProgram << ": " << error << "; nothing was written\n";
        return kWriteFailed;
    }
    return RunLocked(out, err);
}

int TableImport::RunLocked(std::ostream& out, std::ostream& err)
{
    std::string error;
    if (!LoadInstallation(error)) {
        err << kProgram << ": " << error << '\n';
        return kBadInput;
    }
    TableBuilder builder(m_elements, m_descriptions, m_references);
    if (!ReadInputs(builder, out, error)) {
        err << kProgram << ": " << error << '\n';
        return kBadInput;
    }
    if (builder.Count() == 0) {
        // An empty table would only hide the one it replaces.
        PrintCounts(out);
        err << kProgram << ": no line of the input could be used (see the counts); "
            << "nothing was written\n";
        return kBadInput;
    }
    RemoveLeftovers(out);
    return WriteFiles(builder, out, err);
}

bool TableImport::CheckArguments(std::string& error) const
{
    std::error_code ec;
    if (!std::filesystem::is_directory(m_options.directory, ec)) {
        error = m_options.directory + " is not an existing folder";
        return false;
    }
    // Read twice, a list would put each of its lines into the table twice.
    std::map<std::pair<dev_t, ino_t>, const std::string*> seen;
    for (const std::string& path : m_options.files) {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            continue;  // ReadInputs says that it cannot be read
        }
        const auto [first, added] = seen.emplace(std::pair(status.st_dev, status.st_ino), &path);
        if (!added) {
            error = path == *first->second
                        ? path + " is given twice"
                        : path + " is the same file as " + *first->second + ", given before";
            return false;
        }
    }
    return true;
}

bool TableImport::LoadInstallation(std::string& error)
{
    if (!CheckTablePath(error) || !m_elements.Load(PathInDirectory("ELEMENTS"), &error)) {
        return false;
    }
    if (m_options.spectrum && !m_elements.BySymbol(m_options.spectrum->symbol)) {
        error = "--spectrum: no element \"" + m_options.spectrum->symbol + "\" in " +
                PathInDirectory("ELEMENTS");
        return false;
    }
    return m_descriptions.Load(PathInDirectory("DESCRIPT"), &error) &&
           m_references.Load(PathInDirectory("REFERENC"), &error);
}

bool TableImport::CheckTablePath(std::string& error) const
{
    // A folder there would only show at the rename, after DESCRIPT and REFERENC were replaced.
    for (const std::string& path : {TablePath(), SidePath()}) {
        std::error_code ec;
        const auto status = std::filesystem::status(path, ec);
        if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
            error = path + " exists and is not a file; the table cannot replace it";
            return false;
        }
    }
    return true;
}

bool TableImport::ReadInputs(TableBuilder& builder, std::ostream& out, std::string& error)
{
    for (const std::string& path : m_options.files) {
        std::string content;
        if (!ReadWholeFile(path, content)) {
            error = "cannot read " + path;
            return false;
        }
        const InputFormat format =
            m_options.format == InputFormat::kGuess ? GuessFormat(content) : m_options.format;
        ImportCounts counts;
        const ReadResult result =
            ReadAs(format, content, ContextFor(path, format, out),
                   [&builder, &counts](const SourceLine& line) { builder.Add(line, counts); });
        if (!result.error.empty()) {
            error = path + " (" + FormatName(format) + "): " + result.error;
            return false;
        }
        m_fileCounts.emplace_back(path, counts);
    }
    return true;
}

ReadContext TableImport::ContextFor(const std::string& path, InputFormat format,
                                    std::ostream& out) const
{
    ReadContext context;
    context.medium = m_options.medium;
    context.unit = m_options.unit;
    context.stage = m_options.stage;
    if (format == InputFormat::kXml) {
        return context;
    }
    context.spectrum = m_options.spectrum;
    if (format == InputFormat::kNist) {
        const auto named = SpectrumName::FromFileName(path);
        if (named && m_elements.BySymbol(named->symbol)) {
            if (m_options.spectrum && m_options.spectrum->Text() != named->Text()) {
                out << "note: " << FileName(path) << ": the file name gives the spectrum, "
                    << named->Text() << "; --spectrum is not used for it\n";
            }
            context.spectrum = named;
        }
    }
    return context;
}

void TableImport::RemoveLeftovers(std::ostream& out) const
{
    // A killed import leaves its temporary files; they are never renamed, so nothing needs them.
    std::error_code ec;
    std::vector<std::filesystem::path> leftovers;
    for (const auto& entry : std::filesystem::directory_iterator(m_options.directory, ec)) {
        if (entry.is_regular_file(ec) && !entry.is_symlink(ec) &&
            IsLeftoverTemporary(entry.path().filename().string())) {
            leftovers.push_back(entry.path());
        }
    }
    for (const auto& path : leftovers) {
        if (std::filesystem::remove(path, ec)) {
            out << "removed " << path.string() << ", left by an earlier import\n";
        }
    }
}

int TableImport::WriteFiles(TableBuilder& builder, std::ostream& out, std::ostream& err)
{
    size_t written = 0;
    std::string error;
    // Nothing is renamed until all three are on disk. DESCRIPT and REFERENC go first: they only
    // grow, so should the table's rename still fail, an existing table stays valid.
    FileReplacement replacement;
    std::vector<std::pair<const CodeTable*, std::string>> texts;
    for (const CodeTable* table : {&m_descriptions, &m_references}) {
        if (table->NewTextCount() > 0) {
            texts.emplace_back(table, table->Content());
            if (!replacement.Stage(table->Path(), texts.back().second, &error)) {
                err << kProgram << ": " << error << '\n';
                return kWriteFailed;
            }
        }
    }
    // The atomic data file is written with the others but renamed only after the table: should
    // the table's rename fail, no new side file stands beside the old table.
    FileReplacement side;
    const bool atomic = builder.AtomicCount() > 0;
    {
        std::vector<uint32_t> order;
        std::vector<LineRecord> records = builder.TakeSortedRecords(order);
        written = records.size();
        if (atomic &&
            !side.Stage(SidePath(),
                        builder.AtomicData().Bytes(order, records.front(), records.back()),
                        &error)) {
            err << kProgram << ": " << error << '\n';
            return kWriteFailed;
        }
        order = {};
        const std::string bytes = TableBuilder::Encode(records);
        records = {};
        if (!replacement.Stage(TablePath(), bytes, &error)) {
            err << kProgram << ": " << error << '\n';
            return kWriteFailed;
        }
    }
    if (!replacement.Commit(&error)) {
        err << kProgram << ": " << error << '\n'
            << kProgram << ": " << AfterFailedCommit(texts) << '\n';
        return kWriteFailed;
    }
    if (!(atomic ? CommitSideFile(side, err) : RemoveOldSideFile(out, err))) {
        return kWriteFailed;
    }
    PrintSummary(written, builder.AtomicCount(), out);
    return kSuccess;
}

bool TableImport::CommitSideFile(FileReplacement& side, std::ostream& err) const
{
    std::string error;
    if (side.Commit(&error)) {
        return true;
    }
    // The old side file describes the old table's lines: better none beside the new table.
    std::error_code ec;
    std::filesystem::remove(SidePath(), ec);
    err << kProgram << ": " << error << '\n'
        << kProgram << ": " << TablePath() << " was written, but without its atomic data\n";
    return false;
}

bool TableImport::RemoveOldSideFile(std::ostream& out, std::ostream& err) const
{
    std::error_code ec;
    if (std::filesystem::remove(SidePath(), ec)) {
        out << "removed " << SidePath() << ": the new table has no atomic data\n";
    } else if (ec) {
        err << kProgram << ": cannot remove " << SidePath() << ", the atomic data of the old "
            << "table: " << ec.message() << '\n'
            << kProgram << ": " << TablePath() << " was written\n";
        return false;
    }
    return true;
}

std::string TableImport::AfterFailedCommit(
    const std::vector<std::pair<const CodeTable*, std::string>>& texts) const
{
    // The renames run in order and stop at the first failure: a text file that now reads as
    // written was replaced, the table was not.
    std::string replaced;
    std::string kept;
    for (const auto& [table, content] : texts) {
        std::string now;
        const size_t added = table->NewTextCount();
        if (ReadWholeFile(table->Path(), now) && now == content) {
            replaced += (replaced.empty() ? "the new " : ", the new ") + FileName(table->Path()) +
                        " (" + std::to_string(added) + (added == 1 ? " new text)" : " new texts)");
        } else {
            kept += ", the old " + FileName(table->Path());
        }
    }
    if (replaced.empty()) {
        return "nothing in " + m_options.directory + " was changed";
    }
    std::error_code ec;
    const bool tableThere = std::filesystem::exists(TablePath(), ec);
    return m_options.directory + " now holds " + replaced + kept +
           (tableThere ? " and the old " : " and no ") + FileName(TablePath()) +
           "; texts are only ever added, so every table there reads as before";
}

void TableImport::PrintCounts(std::ostream& out) const
{
    ImportCounts total;
    for (const auto& [path, counts] : m_fileCounts) {
        out << FileName(path) << ": " << counts.Describe(false) << '\n';
        total += counts;
    }
    out << "total: " << total.Describe(true) << '\n';
}

void TableImport::PrintSummary(size_t written, size_t atomic, std::ostream& out) const
{
    PrintCounts(out);
    out << "wrote " << TablePath() << " (" << written << " lines); ";
    if (atomic > 0) {
        out << atomic << " lines with atomic data (Aki, levels) in " << FileName(SidePath())
            << "; ";
    }
    out << "new texts: " << m_descriptions.NewTextCount() << " in DESCRIPT, "
        << m_references.NewTextCount() << " in REFERENC\n";
}

std::string TableImport::PathInDirectory(const std::string& name) const
{
    return (std::filesystem::path(m_options.directory) / name).string();
}

std::string TableImport::TablePath() const
{
    return PathInDirectory(m_options.tableName + ".swt");
}

std::string TableImport::SidePath() const
{
    return AtomicDataFile::SidePath(TablePath());
}
