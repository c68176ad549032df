#include "engine/split_messages.h"

namespace quorvane {

Message sizeMismatchMessage(const SplitJob &job)
{
    return {QStringLiteral("File Size Error"),
            QStringLiteral("The size of the selected file:\n\n") + job.SourcePath + job.SourceFile
                + QStringLiteral("\n\ndoes not match the selected device type and number of devices."),
            MessageButtons::Ok};
}

Message splitDoneMessage(const QString &baseName, qint16 deviceCount)
{
    return {QStringLiteral("Splitting Done"),
            QStringLiteral("The files ") + baseName + QStringLiteral("_(1 to ") + QString::number(deviceCount)
                + QStringLiteral(").bin have been created.\n\nDo you want to open the target folder ?"),
            MessageButtons::YesNo};
}

Message errorMessage()
{
    return {QStringLiteral("Error"), QStringLiteral("Error"), MessageButtons::Ok};
}

} // namespace quorvane
