#include "tools/TableImport.h"

#include "framework/AtomicFile.h"
#include "framework/FileReplacement.h"
#include "tools/CsvReader.h"
#include "tools/ImportCommandLine.h"
#include "tools/NistReader.h"
#include "tools/TableBuilder.h"
#include "tools/XmlPeakReader.h"

#include <filesystem>
#include <ostream>

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

ReadResult ReadAs(InputFormat format, std::string_view content, const ReadContext& context)
{
    switch (format) {
        case InputFormat::kNist:
            return NistReader::Read(content, context);
        case InputFormat::kXml:
            return XmlPeakReader::Read(content, context);
        case InputFormat::kCsv:
        case InputFormat::kGuess:
            break;
    }
    return CsvReader::Read(content, context);
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
    if (!LoadInstallation(error)) {
        err << kProgram << ": " << error << '\n';
        return kBadInput;
    }
    TableBuilder builder(m_elements, m_descriptions, m_references);
    if (!ReadInputs(builder, out, error)) {
        err << kProgram << ": " << error << '\n';
        return kBadInput;
    }
    return WriteFiles(builder, out, err);
}

bool TableImport::LoadInstallation(std::string& error)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(m_options.directory, ec)) {
        error = m_options.directory + " is not an existing folder";
        return false;
    }
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
    const std::string path = TablePath();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        error = path + " exists and is not a file; the table cannot replace it";
        return false;
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
        const ReadResult result = ReadAs(format, content, ContextFor(path, format, out));
        if (!result.error.empty()) {
            error = path + " (" + FormatName(format) + "): " + result.error;
            return false;
        }
        ImportCounts counts;
        for (const SourceLine& line : result.lines) {
            builder.Add(line, counts);
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

int TableImport::WriteFiles(const TableBuilder& builder, std::ostream& out, std::ostream& err)
{
    const std::vector<LineRecord> records = builder.SortedRecords();
    std::string error;
    // Nothing is renamed until all three are on disk. DESCRIPT and REFERENC go first: they only
    // grow, so should the table's rename still fail, an existing table stays valid.
    FileReplacement replacement;
    const auto stageTexts = [&replacement, &error](const CodeTable& table) {
        return table.NewTextCount() == 0 ||
               replacement.Stage(table.Path(), table.Content(), &error);
    };
    if (!stageTexts(m_descriptions) || !stageTexts(m_references) ||
        !replacement.Stage(TablePath(), TableBuilder::Encode(records), &error) ||
        !replacement.Commit(&error)) {
        err << kProgram << ": " << error << '\n';
        return kWriteFailed;
    }
    PrintSummary(records.size(), out);
    return kSuccess;
}

void TableImport::PrintSummary(size_t written, std::ostream& out) const
{
    ImportCounts total;
    for (const auto& [path, counts] : m_fileCounts) {
        out << FileName(path) << ": " << counts.Describe(false) << '\n';
        total += counts;
    }
    out << "total: " << total.Describe(true) << '\n';
    out << "wrote " << TablePath() << " (" << written
        << " lines); new texts: " << m_descriptions.NewTextCount() << " in DESCRIPT, "
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
