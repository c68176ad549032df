#pragma once

#include "ui/platform_edges.h"

namespace quorvane {

// The platform edges as a user meets them: QFileDialog, QMessageBox and the
// desktop's file browser.
class QtPlatformEdges final : public PlatformEdges
{
public:
    std::optional<QString> chooseSourceFile(QWidget *parent, const SourceFileRequest &request) override;
    MessageAnswer showMessage(QWidget *parent, const Message &message) override;
    bool openFolder(const QString &folder) override;
};

} // namespace quorvane
