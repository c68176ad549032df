#pragma once

#include "engine/message.h"

#include <QString>

#include <optional>

class QWidget;

namespace quorvane {

// What the open-file dialog is asked for.
struct SourceFileRequest
{
    QString title;
    QString startFolder;
    QString nameFilter;
    QString defaultSuffix;
};

enum class MessageAnswer { Ok, Yes, No };

// Everything the window does that waits for a person or leaves the process.
// The window gets one of these so that tests can answer in place of a person.
class PlatformEdges
{
public:
    virtual ~PlatformEdges() = default;

    // The full native path of the file the user confirmed (it need not exist;
    // its folder does), or nothing when the user cancelled or the dialog failed.
    virtual std::optional<QString> chooseSourceFile(QWidget *parent, const SourceFileRequest &request) = 0;

    // Shows `message` modally and returns the button the user pressed.
    virtual MessageAnswer showMessage(QWidget *parent, const Message &message) = 0;

    // Opens `folder` in the system's file browser; false when it did not start.
    virtual bool openFolder(const QString &folder) = 0;

protected:
    PlatformEdges() = default;
    PlatformEdges(const PlatformEdges &) = default;
    PlatformEdges &operator=(const PlatformEdges &) = default;
};

} // namespace quorvane
