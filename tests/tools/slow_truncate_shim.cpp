// A slow disk for scripts, preloaded (LD_PRELOAD): every open that truncates
// a file takes 300 ms longer, as on a network share, so a file that a
// background process truncates still shows its old content for a while.
#include <dlfcn.h>
#include <fcntl.h>

#include <cstdarg>
#include <ctime>

namespace {

void WaitIfTruncating(int flags) {
    if (!(flags & O_TRUNC))
        return;
    timespec wait{0, 300'000'000};
    while (::nanosleep(&wait, &wait) != 0) {
    }
}

}  // namespace

// The shell's redirections and the C library's fopen call open.
extern "C" int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const int mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, int) : 0;
    va_end(args);
    WaitIfTruncating(flags);
    auto real = reinterpret_cast<int (*)(const char*, int, ...)>(::dlsym(RTLD_NEXT, "open"));
    return real(path, flags, mode);
}
