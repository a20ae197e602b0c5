#include "workspace/ExportSettings.h"

void ExportSettings::ChooseContent(std::string_view word)
{
    const bool data = word.find('D') != std::string_view::npos;
    const bool summation = !data && word.find('S') != std::string_view::npos;
    const bool both = !data && !summation && word.find('B') != std::string_view::npos;
    if (data || summation || both) {
        Data = data ? 1 : 0;
        Summ = summation ? 1 : 0;
        Both = both ? 1 : 0;
    }
}
