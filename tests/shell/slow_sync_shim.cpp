// A slow disk for the real program, preloaded (LD_PRELOAD): every fsync and
// fdatasync takes 100 ms longer, as on a USB stick or a network share.
#include <dlfcn.h>

#include <ctime>

namespace {

int SlowSync(const char* name, int descriptor) {
    timespec wait{0, 100'000'000};
    while (::nanosleep(&wait, &wait) != 0) {
    }
    auto real = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, name));
    return real(descriptor);
}

}  // namespace

extern "C" int fdatasync(int descriptor) {
    return SlowSync("fdatasync", descriptor);
}
extern "C" int fsync(int descriptor) {
    return SlowSync("fsync", descriptor);
}
