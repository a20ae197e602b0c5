#pragma once

#include "database/LineRecord.h"
#include "support/TestFiles.h"
#include "tools/ImportCounts.h"

#include <map>
#include <string>
#include <vector>

// A temporary installation folder for one test, removed with everything in it at the end.
// It starts with the committed sample ELEMENTS and DESCRIPT.
class TempInstallation : public TempFolder {
public:
    TempInstallation();

    std::vector<LineRecord> Table(const std::string& name) const;
    // Every file in the folder by name, with its bytes; not the lock file.
    std::map<std::string, std::string> Snapshot() const;
    // Line n of a text file (n from 1, as codes count); empty past the end.
    std::string TextLine(const std::string& name, unsigned n) const;
};

struct ImportRun {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<ImportCounts> counts;  // per input file, when the arguments were good
};

// Runs the table maker as the command line would, with `arguments` after the program name.
ImportRun RunImport(const std::vector<std::string>& arguments);

std::string ReadFile(const std::string& path);

// The folder of NIST line lists beside the checkout; empty when it is not there.
std::string NistDataFolder();
