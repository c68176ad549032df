#pragma once

#include "ui/platform_edges.h"

#include <QFileDialog>

namespace quorvane {

// The open-file dialog for the source image. It accepts the name of a file
// that does not exist yet (the split reports it), but not a name in a folder
// that does not exist: it says so and stays open.
class SourceFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    SourceFileDialog(QWidget *parent, const SourceFileRequest &request);

    void accept() override;
};

} // namespace quorvane
