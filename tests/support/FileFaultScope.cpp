#include "support/FileFaultScope.h"

FileFaultScope::FileFaultScope(FileFaults::Step step, int error, std::string suffix)
{
    FileFaults::Set([this, step, error, suffix](FileFaults::Step at, const std::string& target) {
        if (at != step || !target.ends_with(suffix)) {
            return 0;
        }
        ++m_hits;
        return error;
    });
}

FileFaultScope::~FileFaultScope()
{
    FileFaults::Set({});
}
