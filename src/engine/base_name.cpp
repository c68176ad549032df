#include "engine/base_name.h"

namespace quorvane {

namespace {

// Lower-cases one code unit at a time so that positions in the result are the
// positions in the original text (full case mapping may change the length).
QString lowerCasedInPlace(const QString &text)
{
    QString lowered = text;
    for (QChar &c : lowered)
        c = c.toLower();
    return lowered;
}

} // namespace

QString cleanedBaseName(const QString &text)
{
    const qsizetype extension = lowerCasedInPlace(text).lastIndexOf(QLatin1String(".bin"));
    return extension < 0 ? text : text.left(extension);
}

std::optional<QString> proposedBaseName(const QString &sourceFile)
{
    // Counted in characters, not UTF-16 units, so a cut never splits a
    // surrogate pair and leaves a broken name behind.
    qsizetype end = sourceFile.size();
    for (int cut = 0; cut < 4; ++cut) {
        if (end == 0)
            return std::nullopt;
        --end;
        if (end > 0 && sourceFile.at(end).isLowSurrogate() && sourceFile.at(end - 1).isHighSurrogate())
            --end;
    }
    return sourceFile.left(end) + QLatin1String("_split");
}

} // namespace quorvane
