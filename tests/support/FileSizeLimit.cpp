#include "support/FileSizeLimit.h"

#include <algorithm>

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    m_active = getrlimit(RLIMIT_FSIZE, &m_old) == 0;
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = m_old;
    lowered.rlim_cur = std::min(bytes, m_old.rlim_max);
    m_active = m_active && setrlimit(RLIMIT_FSIZE, &lowered) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}
