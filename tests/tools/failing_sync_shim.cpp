// A medium that takes every write but cannot put it on stable storage, as a
// USB stick pulled out or a network share gone away after the write-back
// cache took the lines: preloaded (LD_PRELOAD), every sync fails with EIO.
#include <cerrno>

extern "C" int fdatasync(int) {
    errno = EIO;
    return -1;
}

extern "C" int fsync(int) {
    errno = EIO;
    return -1;
}
