#pragma once

#include <csignal>
#include <sys/resource.h>

namespace sxtest
{
    /** Lowers the file size limit (which binds root too) and ignores SIGXFSZ, so that a
        write beyond it fails with EFBIG instead of ending the process. */
    struct ScopedFileSizeLimit
    {
        explicit ScopedFileSizeLimit (rlim_t bytes)
        {
            getrlimit (RLIMIT_FSIZE, &previous);
            previousHandler = std::signal (SIGXFSZ, SIG_IGN);
            rlimit lowered = previous;
            lowered.rlim_cur = bytes;
            setrlimit (RLIMIT_FSIZE, &lowered);
        }
        ~ScopedFileSizeLimit()
        {
            setrlimit (RLIMIT_FSIZE, &previous);
            std::signal (SIGXFSZ, previousHandler);
        }
        ScopedFileSizeLimit (const ScopedFileSizeLimit&) = delete;
        ScopedFileSizeLimit& operator= (const ScopedFileSizeLimit&) = delete;

        rlimit previous {};
        void (*previousHandler) (int) = nullptr;
    };
}
