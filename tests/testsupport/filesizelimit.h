#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

#include <sys/resource.h>

#include <csignal>

// While it lives, no file of this process may grow past the given size: a disk that
// fills up half way through a write, which even root cannot get past. The signal such a
// write raises is ignored unless the code under test is to be trusted with it.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes, bool ignoreSignal = true)
        : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        if (!ignoreSignal)
            std::signal(SIGXFSZ, m_handler);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        struct rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isActive() const { return m_active; }

private:
    void (*m_handler)(int);
    struct rlimit m_saved = {};
    bool m_active = false;
};

#endif // FILESIZELIMIT_H
