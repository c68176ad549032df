#include "ui/main_window.h"

#include "engine/base_name.h"
#include "engine/split_messages.h"
#include "engine/split_run.h"
#include "ui/frame_centring.h"
#include "ui/fresh_keys.h"
#include "ui/platform_edges.h"
#include "ui/value_field.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

Form1::Form1(PlatformEdges &edges, QWidget *parent)
    : QWidget(parent)
    , m_edges(edges)
{
    layOutControls();
    describeControls();
    setFocusOrder();
    connectEvents();
    Form_Load();
}

void Form1::connectEvents()
{
    connect(EpromSize, &QButtonGroup::idClicked, this, &Form1::EpromSize_Click);
    connect(Batch, &QButtonGroup::idClicked, this, &Form1::Batch_Click);
    connect(Command_SelectSourceFile, &QPushButton::clicked, this, &Form1::Command_SelectSourceFile_Click);
    connect(Command_ClearSourceFile, &QPushButton::clicked, this, &Form1::Command_ClearSourceFile_Click);
    connect(Label_SourceFile, &ValueField::changed, this, &Form1::Label_SourceFile_Change);
    connect(Text_TargetFileName, &QLineEdit::textChanged, this, [this] { m_baseNameCleaned = false; });
    connect(Text_TargetFileName, &QLineEdit::textChanged, this, &Form1::Text_TargetFileName_Change);
    Text_TargetFileName->installEventFilter(this); // double-click and focus loss
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command_Run, &QPushButton::clicked, this, &Form1::Command_Run_Click);
    connect(Command_Exit, &QPushButton::clicked, this, &Form1::Command_Exit_Click);
    // The end of a Windows session quits the application without closing the
    // window; whichever way the program ends, aboutToQuit comes last.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Form1::unloadOnce);
    // A held key presses a button once.
    auto *freshKeys = new FreshKeysOnly(this);
    for (QPushButton *button : findChildren<QPushButton *>())
        freshKeys->guard(button);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text_TargetFileName) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            Text_TargetFileName_DblClick();
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            // Switching to another window or opening a popup leaves the focus
            // where it is as far as the window is concerned.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                Text_TargetFileName_LostFocus();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // A push button outside a dialog ignores Enter, so it reaches the window.
    // Pressing the focused button here, rather than making the buttons
    // auto-default, keeps their look when they take the focus and gives the
    // window no default button: Enter in the base-name box presses nothing.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget())) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void Form1::showEvent(QShowEvent *event)
{
    // The layout centres the client area, which is right where nothing frames
    // the window. Here, before the window is first mapped, its frame is
    // centred instead, so that it appears in place and never jumps.
    if (!event->spontaneous()) // not when the window system shows it again
        centreFrameBeforeMapping(*this);
    QWidget::showEvent(event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    unloadOnce();
    event->accept();
}

void Form1::unloadOnce()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
}

void Form1::Form_Load()
{
    setWindowTitle(QStringLiteral("Quorvane, v1.01 - June 2024 / QZ"));
    m_defaultPath.load(m_job);
}

void Form1::Form_Unload()
{
    followSaveRule();
}

void Form1::followSaveRule()
{
    // The store follows the rule at every change, not only at unload: a
    // program whose display goes away is ended by Qt without an unload.
    m_defaultPath.keep(m_job);
}

void Form1::EpromSize_Click(int index)
{
    chooseDeviceType(m_job, index);
    UpdateRunButton();
}

void Form1::Batch_Click(int index)
{
    chooseDeviceCount(m_job, index);
    UpdateRunButton();
}

void Form1::UpdateRunButton()
{
    Command_Run->setEnabled(runAllowed(m_job, Label_SourcePath->text(), Text_TargetFileName->text()));
}

void Form1::Command_SelectSourceFile_Click()
{
    BrowseSourceFile();
}

void Form1::Command_ClearSourceFile_Click()
{
    Label_SourcePath->setCaption(QString());
    Label_SourceFile->setCaption(QString());
    m_job.SourcePath.clear();
    m_job.SourceFile.clear();
    followSaveRule();
    Command_SelectSourceFile->setFocus(Qt::OtherFocusReason);
}

void Form1::Label_SourceFile_Change()
{
    UpdateRunButton();
}

void Form1::Text_TargetFileName_Change()
{
    UpdateRunButton();
}

void Form1::Text_TargetFileName_DblClick()
{
    Text_TargetFileName->clear();
}

void Form1::Text_TargetFileName_LostFocus()
{
    cleanBaseNameOnce();
}

void Form1::cleanBaseNameOnce()
{
    // The clean-up cuts at the last ".bin"; run again on its own result it
    // would cut a name such as a.bin.b a second time.
    if (m_baseNameCleaned)
        return;
    const QString text = Text_TargetFileName->text();
    const QString cleaned = cleanedBaseName(text);
    if (cleaned != text)
        Text_TargetFileName->setText(cleaned);
    m_baseNameCleaned = true;
}

void Form1::Command1_Click()
{
    Text_TargetFileName->clear();
    Text_TargetFileName->setFocus(Qt::OtherFocusReason);
}

void Form1::Command_Run_Click()
{
    // RUN is normally clicked after the base-name box lost the focus, which
    // cleans the name; a press that leaves the focus where it is (a screen
    // reader's action, a shortcut) must not split under "game.bin_1.bin".
    cleanBaseNameOnce();
    if (!Command_Run->isEnabled())
        return;
    switch (runSplit(m_job, Text_TargetFileName->text())) {
    case SplitOutcome::SizeMismatch:
        m_edges.showMessage(this, sizeMismatchMessage(m_job));
        return;
    case SplitOutcome::Error:
        m_edges.showMessage(this, errorMessage());
        return;
    case SplitOutcome::Done:
        followSaveRule();
        break;
    }
    const Message done = splitDoneMessage(Text_TargetFileName->text(), m_job.DeviceCount);
    if (m_edges.showMessage(this, done) == MessageAnswer::Yes && !m_edges.openFolder(m_job.SourcePath))
        m_edges.showMessage(this, errorMessage());
}

void Form1::Command_Exit_Click()
{
    // Closing the last window ends the program; the close runs Form_Unload.
    close();
}

} // namespace quorvane
