#pragma once

#include "engine/split_job.h"
#include "settings/default_path.h"

#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvane {

class PlatformEdges;
class ValueField;

// The tool's one window. Its controls and procedures carry the names the
// rest of the tool (and its tests) know them by.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(PlatformEdges &edges, QWidget *parent = nullptr);

    const SplitJob &job() const { return m_job; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private Q_SLOTS:
    void Form_Load();
    void Form_Unload();
    void EpromSize_Click(int index);
    void Batch_Click(int index);
    void Command_SelectSourceFile_Click();
    void Command_ClearSourceFile_Click();
    void Label_SourceFile_Change();
    void Text_TargetFileName_Change();
    void Text_TargetFileName_DblClick();
    void Text_TargetFileName_LostFocus();
    void Command1_Click();
    void Command_Run_Click();
    void Command_Exit_Click();

private:
    void layOutControls();
    void describeControls();
    void setFocusOrder();
    void connectEvents();
    void UpdateRunButton();
    void BrowseSourceFile();
    void cleanBaseNameOnce();
    void unloadOnce();
    void followSaveRule();

    PlatformEdges &m_edges;
    SplitJob m_job;
    DefaultPath m_defaultPath;
    // Whether the base name has been cleaned since it last changed.
    bool m_baseNameCleaned = true;
    // The program may end through the window's close and the application's
    // quit both; the window unloads at the first.
    bool m_unloaded = false;

    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QButtonGroup *EpromSize = nullptr;
    QButtonGroup *Batch = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    ValueField *Label_SourcePath = nullptr;
    ValueField *Label_SourceFile = nullptr;
    QLineEdit *Text_TargetFileName = nullptr;
    QPushButton *Command_SelectSourceFile = nullptr;
    QPushButton *Command_ClearSourceFile = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command_Run = nullptr;
    QPushButton *Command_Exit = nullptr;
};

} // namespace quorvane
