#pragma once

#include <QString>
#include <QtGlobal>

namespace quorvane {

// What the window knows about the split it is preparing. The field names
// match the names the window's procedures use for them.
struct SplitJob
{
    qint32 DeviceSize = 0; // bytes per chip; 0 until a device type is chosen
    qint16 DeviceCount = 0; // chips in the bank; 0 until a count is chosen
    bool FilesCreated = false; // a split has written all its pieces; never reset
    QString SourcePath; // folder of the source image, ending in the separator
    QString SourceFile; // file name of the source image, without folder
    QString StartPath; // SourcePath as read at start, to tell whether it moved
};

// Sets DeviceSize from the catalogue; an unknown index leaves it unchanged.
void chooseDeviceType(SplitJob &job, int index);

// Sets DeviceCount to index + 2; an unknown index leaves it unchanged.
void chooseDeviceCount(SplitJob &job, int index);

// Whether the run command may be pressed. The caller passes what the window
// shows, not the job's SourcePath: the run follows what the user sees.
bool runAllowed(const SplitJob &job, const QString &sourcePathCaption, const QString &baseName);

} // namespace quorvane
