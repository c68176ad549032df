#include "engine/source_image.h"

#include <QFile>

#include <optional>
#include <utility>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvane {

#ifdef Q_OS_WIN

namespace {

// Reads the whole image in one go. Anything but exactly `size` bytes (the file
// shrank or grew since its length was taken) is a failure: a padded or clipped
// image must never reach a chip.
std::optional<QByteArray> readImage(const QString &path, qint32 size)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    QByteArray image(size, Qt::Uninitialized);
    char beyondEnd = 0;
    if (source.read(image.data(), size) != size || source.read(&beyondEnd, 1) != 0)
        return std::nullopt;
    return image;
}

} // namespace

std::variant<SourceImage, SplitOutcome> readSourceImage(const QString &path, qint32 size)
{
    SourceImage source{{}, QFileInfo(path)};
    // Folders, FIFOs and devices are no images; opening some of them would
    // block the window.
    if (!source.file.isFile())
        return SplitOutcome::Error;
    if (source.file.size() != size)
        return SplitOutcome::SizeMismatch;
    std::optional<QByteArray> image = readImage(path, size);
    if (!image)
        return SplitOutcome::Error;
    source.bytes = std::move(*image);
    return source;
}

#else

namespace {

// Reads up to the end of the file. Anything but exactly `size` bytes (the
// file shrank or grew since its length was taken) is a failure: a padded or
// clipped image must never reach a chip.
std::optional<QByteArray> readImage(int descriptor, qint32 size)
{
    QByteArray image(size, Qt::Uninitialized);
    qint32 total = 0;
    char beyondEnd = 0;
    for (;;) {
        const bool full = total == size;
        const ssize_t got = full ? ::read(descriptor, &beyondEnd, 1)
                                 : ::read(descriptor, image.data() + total, static_cast<size_t>(size - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0 && full)
            return image;
        if (got <= 0 || full)
            return std::nullopt;
        total += static_cast<qint32>(got);
    }
}

// An image that cannot be opened (no right to read it) may still be seen to
// be of the wrong size, which tells the user more than an error does.
SplitOutcome unopenedImage(const QByteArray &name, qint32 size)
{
    struct stat status = {};
    const bool mismatch = ::stat(name.constData(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size != size;
    return mismatch ? SplitOutcome::SizeMismatch : SplitOutcome::Error;
}

} // namespace

std::variant<SourceImage, SplitOutcome> readSourceImage(const QString &path, qint32 size)
{
    const QByteArray name = QFile::encodeName(path);
    // Checked on the file opened, so that nothing can take its place between
    // check and read. Not blocking: a FIFO or a device there is refused below
    // rather than waited on. A symbolic link is followed to the image.
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return unopenedImage(name, size);
    std::variant<SourceImage, SplitOutcome> result = SplitOutcome::Error;
    struct stat status = {};
    // Folders, FIFOs and devices are no images.
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        if (status.st_size != size) {
            result = SplitOutcome::SizeMismatch;
        } else if (std::optional<QByteArray> image = readImage(descriptor, size)) {
            result = SourceImage{std::move(*image), status.st_dev, status.st_ino};
        }
    }
    ::close(descriptor);
    return result;
}

#endif

} // namespace quorvane
