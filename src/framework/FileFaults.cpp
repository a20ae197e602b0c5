#include "framework/FileFaults.h"

namespace {

FileFaults::Rule& CurrentRule()
{
    static FileFaults::Rule rule;
    return rule;
}

}  // namespace

void FileFaults::Set(Rule rule)
{
    CurrentRule() = std::move(rule);
}

int FileFaults::Injected(Step step, const std::string& target)
{
    const Rule& rule = CurrentRule();
    return rule ? rule(step, target) : 0;
}
