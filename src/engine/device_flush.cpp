#include "engine/device_flush.h"

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvane {

bool flushToDevice(int descriptor)
{
    if (descriptor < 0)
        return false;
#ifdef Q_OS_WIN
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
#else
    return ::fsync(descriptor) == 0;
#endif
}

#ifndef Q_OS_WIN
bool flushFolder(const QString &folder, int piece)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder the user may write to but not list (a drop box) cannot be
    // opened. Its names go to the device with the rest of its file system,
    // which is slower but the only way left.
    if (handle < 0)
        return errno == EACCES && ::syncfs(piece) == 0;
    // A file system that cannot flush a folder says so with EINVAL: it keeps
    // no such promise to break, and refusing would leave it unusable. A piece
    // is a plain file, which every file system can flush.
    const bool flushed = ::fsync(handle) == 0 || errno == EINVAL;
    ::close(handle);
    return flushed;
}
#endif

} // namespace quorvane
