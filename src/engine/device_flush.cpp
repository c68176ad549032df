#include "engine/device_flush.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvane {

bool flushToDevice(QFileDevice &file)
{
    const int descriptor = file.handle();
    if (!file.flush() || descriptor < 0)
        return false;
#ifdef Q_OS_WIN
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
#else
    return ::fsync(descriptor) == 0;
#endif
}

bool flushFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return true;
#else
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder the user may write to but not list (a drop box) cannot be
    // opened to be flushed; its pieces are on the device all the same.
    if (handle < 0)
        return errno == EACCES;
    // A file system that cannot flush a folder says so with EINVAL: it keeps
    // no such promise to break, and refusing would leave it unusable. A piece
    // is a plain file, which every file system can flush.
    const bool flushed = ::fsync(handle) == 0 || errno == EINVAL;
    ::close(handle);
    return flushed;
#endif
}

} // namespace quorvane
