#pragma once

#include "ui/platform_edges.h"

#include <QFileDialog>

namespace quorvane {

// The open-file dialog for the source image: the desktop's own chooser where
// Qt's platform theme offers one (Windows; GNOME, KDE Plasma and desktop
// portals on Linux), Qt's elsewhere. Qt's is made to behave as the Windows one
// does: it accepts the name of a file that does not exist yet (the split
// reports it), but not a name in a folder that does not exist, which it says
// and stays open; and a typed name with * or ? filters the list instead of
// being taken for a file.
class SourceFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    SourceFileDialog(QWidget *parent, const SourceFileRequest &request);

    void accept() override;

private:
    // Shows only the entries of `folder` that match `pattern`.
    void filterBy(const QDir &folder, const QString &pattern);
    // Qt reads a name filter as a list of patterns split at spaces, with a
    // trailing (...) holding the list; a typed pattern is meant whole, as
    // Windows takes it: `my rom*.bin` is one pattern, `*(1)` ends in "(1)".
    void keepTypedPatternWhole(const QString &selectedFilter);

    QString m_fileTypes;
    QString m_typedPattern;
};

} // namespace quorvane
