#pragma once

#include "ui/platform_edges.h"

#include <QDir>
#include <QList>
#include <QQueue>
#include <QStringList>

namespace quorvane::test {

// Answers the window's dialogs as a test scripts them and records what the
// window asked, so every flow runs headless and without timers.
class ScriptedEdges final : public PlatformEdges
{
public:
    // What the next open-file dialogs return; an empty queue cancels.
    QQueue<std::optional<QString>> chosenFiles;
    // How the next message boxes are answered; an empty queue answers No
    // (or OK where that is the only button).
    QQueue<MessageAnswer> answers;
    bool folderOpens = true;
    // Where set, the message boxes or the file browser are the real ones,
    // still recorded here.
    PlatformEdges *realMessages = nullptr;
    PlatformEdges *realFileBrowser = nullptr;

    QList<SourceFileRequest> fileRequests;
    QList<Message> messages;
    QStringList openedFolders;

    std::optional<QString> chooseSourceFile(QWidget *, const SourceFileRequest &request) override
    {
        fileRequests.append(request);
        if (chosenFiles.isEmpty())
            return std::nullopt;
        // As the real dialog hands it over: in the platform's own form.
        const std::optional<QString> chosen = chosenFiles.dequeue();
        return chosen ? std::optional(QDir::toNativeSeparators(*chosen)) : std::nullopt;
    }

    MessageAnswer showMessage(QWidget *parent, const Message &message) override
    {
        messages.append(message);
        if (realMessages)
            return realMessages->showMessage(parent, message);
        if (!answers.isEmpty())
            return answers.dequeue();
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }

    bool openFolder(const QString &folder) override
    {
        openedFolders.append(folder);
        return realFileBrowser ? realFileBrowser->openFolder(folder) : folderOpens;
    }
};

} // namespace quorvane::test
