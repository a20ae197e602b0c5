#include "workspace/ExportSettings.h"

#include "framework/StringUtil.h"

void ExportSettings::ApplyWords(const std::vector<std::string>& words)
{
    if (words.empty()) {
        return;
    }
    FileName = words[0].substr(0, kFileNameLength);
    if (words.size() > 1) {
        const std::string word = ToUpper(words[1]);
        const bool peaks = word.find('P') != std::string::npos;
        const bool data = !peaks && word.find('D') != std::string::npos;
        const bool summation = !peaks && !data && word.find('S') != std::string::npos;
        const bool both = !peaks && !data && !summation && word.find('B') != std::string::npos;
        if (peaks || data || summation || both) {
            Peaks = peaks ? 1 : 0;
            Data = data ? 1 : 0;
            Summ = summation ? 1 : 0;
            Both = both ? 1 : 0;
        }
    }
    if (words.size() > 2) {
        Range = words[2].substr(0, kRangeLength);
    }
}
