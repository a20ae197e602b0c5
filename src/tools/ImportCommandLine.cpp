#include "tools/ImportCommandLine.h"

#include "framework/StringUtil.h"

#include <cstdio>
#include <map>

namespace {

constexpr const char* kUsage = R"(Usage: spekla-import --into DIR --table NAME [options] FILE...

Makes the line table DIR/NAME.swt from the line lists FILE..., and appends the description
and reference texts it needs to DIR/DESCRIPT and DIR/REFERENC. Texts already there keep their
codes; existing lines of those files are never changed. Elements are looked up in DIR/ELEMENTS,
which is not changed. When the import fails, nothing in DIR changes. Imports into the same DIR
take turns: one started while another runs waits for it, saying so.

Options:
  --into DIR        the installation folder (must exist and hold ELEMENTS)
  --table NAME      the name of the table to write (NAME.swt; an existing one is replaced)
  --format FORMAT   nist, csv or xml; by default each file's format is recognised from its
                    content
                      nist  NIST Atomic Spectra Database line output: the '|' text table or
                            the CSV / tab-separated export. Columns are found by their header
                            words; the wavelength is the observed one, else the Ritz one, with
                            medium and unit from the header. The intensity field's number gives
                            the intensity, its flags as written ("bl", "h*", "d?") the
                            description text; "Line Ref." gives the reference text.
                            Aki, the levels' energies, J (or g), configurations and
                            terms, Ritz or observed and the uncertainty go to DIR/NAME.swa
                      csv   a header row naming the columns wavelength, element, ion,
                            intensity, description, reference (any order and case, others
                            ignored), separated by commas or tabs
                      xml   the kalzium-data strong-line list (spectra.xml): elements by
                            atomic number; no ionisation stage unless --stage gives one
  --medium MEDIUM   air or vacuum: the medium of the wavelengths. csv: default air. xml:
                    default the NIST convention, vacuum below 2000 A and air from 2000 A.
                    nist: the header's Air or Vac decides; this option (else that
                    convention) applies only where the header names no medium
  --unit UNIT       A, nm, um or cm-1 (wave numbers, always vacuum). csv: default A. nist
                    and xml: the unit the file names decides; this option (else A) applies
                    only where it names none
  --spectrum SPECTRUM
                    element and ionisation stage, e.g. "Fe II", for lists that do not give
                    them: nist files without a spectrum column whose file name does not
                    start with one (FeII_vacuum.ascii is Fe II), and csv files without an
                    element or ion column. Not used for xml
  --stage STAGE     ionisation stage (I..XIX or 1..19) for lines no other source gives one
  -h, --help        show this text

Stored wavelengths are in 0.001 A, air at and above 1850 A and vacuum below, converted as
needed. At the end the lines read, written and skipped (malformed, no wavelength, unknown
element, unknown ionisation stage) are listed per file and in total, with the lines kept with
code 0 because DESCRIPT or REFERENC already had 255 texts.

Exit status: 0 success; 1 a file could not be written; 2 bad usage or unreadable input.
)";

bool ParseFormat(const std::string& value, ImportOptions& options)
{
    static const std::map<std::string, InputFormat> kFormats = {
        {"nist", InputFormat::kNist}, {"csv", InputFormat::kCsv}, {"xml", InputFormat::kXml}};
    const auto found = kFormats.find(ToLower(value));
    if (found == kFormats.end()) {
        return false;
    }
    options.format = found->second;
    return true;
}

bool ParseMedium(const std::string& value, ImportOptions& options)
{
    const std::string lower = ToLower(value);
    if (lower == "air") {
        options.medium = Medium::kAir;
    } else if (lower == "vacuum" || lower == "vac") {
        options.medium = Medium::kVacuum;
    } else {
        return false;
    }
    return true;
}

bool ParseUnit(const std::string& value, ImportOptions& options)
{
    static const std::map<std::string, WavelengthUnit> kUnits = {
        {"a", WavelengthUnit::kAngstrom},         {"\u00c5", WavelengthUnit::kAngstrom},
        {"nm", WavelengthUnit::kNanometre},       {"um", WavelengthUnit::kMicrometre},
        {"\u00b5m", WavelengthUnit::kMicrometre}, {"cm-1", WavelengthUnit::kWaveNumber}};
    const auto found = kUnits.find(ToLower(value));
    if (found == kUnits.end()) {
        return false;
    }
    options.unit = found->second;
    return true;
}

// Why `name` can be no file name, or empty when it can be one. Other bytes, UTF-8 or not, are
// kept as given, and so is the case.
std::string TableNameFault(const std::string& name)
{
    if (name.empty() || name == "." || name == "..") {
        return "a table needs a name that is a file name";
    }
    if (name.find('/') != std::string::npos) {
        return "a table name cannot hold '/'";
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", byte);
            return std::string("a table name cannot hold a control character (here ") + code + ")";
        }
    }
    return {};
}

bool ParseTableName(const std::string& value, ImportOptions& options, std::string& error)
{
    std::string name = value;
    if (name.size() > 4 && EqualsIgnoringCase(name.substr(name.size() - 4), ".swt")) {
        name.resize(name.size() - 4);
    }
    const std::string fault = TableNameFault(name);
    if (!fault.empty()) {
        // Not the value itself: its control characters would garble the message.
        error = "bad value for --table: " + fault;
        return false;
    }
    options.tableName = name;
    return true;
}

// Applies option `name` with `value`; false with a message in `error` when the value is bad.
bool ApplyOption(const std::string& name, const std::string& value, ImportOptions& options,
                 std::string& error)
{
    bool good = true;
    if (name == "--into") {
        options.directory = value;
        good = !value.empty();
    } else if (name == "--table") {
        return ParseTableName(value, options, error);
    } else if (name == "--format") {
        good = ParseFormat(value, options);
    } else if (name == "--medium") {
        good = ParseMedium(value, options);
    } else if (name == "--unit") {
        good = ParseUnit(value, options);
    } else if (name == "--spectrum") {
        options.spectrum = SpectrumName::Parse(value);
        good = options.spectrum.has_value();
    } else if (name == "--stage") {
        options.stage = SpectrumName::ParseStage(value);
        good = options.stage > 0;
    }
    if (!good) {
        error = "bad value for " + name + ": \"" + value + "\"";
    }
    return good;
}

bool IsValueOption(const std::string& name)
{
    static const char* const kNames[] = {"--into", "--table",    "--format", "--medium",
                                         "--unit", "--spectrum", "--stage"};
    for (const char* known : kNames) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

bool CheckComplete(const ImportOptions& options, std::string& error)
{
    if (options.directory.empty()) {
        error = "--into DIR is required";
    } else if (options.tableName.empty()) {
        error = "--table NAME is required";
    } else if (options.files.empty()) {
        error = "no input file given";
    }
    return error.empty();
}

}  // namespace

bool ImportCommandLine::Parse(const std::vector<std::string>& arguments, ImportOptions& options,
                              std::string& error)
{
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            options.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return true;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (!IsValueOption(name)) {
            error = "unknown option " + argument;
            return false;
        }
        if (equals == std::string::npos && i + 1 >= arguments.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string value =
            equals != std::string::npos ? argument.substr(equals + 1) : arguments[++i];
        if (!ApplyOption(name, value, options, error)) {
            return false;
        }
    }
    return CheckComplete(options, error);
}

std::string ImportCommandLine::Usage()
{
    return kUsage;
}
