#include "framework/FileReplacement.h"
#include "tools/TableImport.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    FileReplacement::IgnoreWriteSignals();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return TableImport::Main(arguments, std::cout, std::cerr);
}
