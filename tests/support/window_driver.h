#pragma once

#include "support/scripted_edges.h"
#include "ui/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace quorvane::test {

// Opens the real window with scripted edges and works its controls with mouse
// and key events, as a user would.
class WindowDriver
{
public:
    ScriptedEdges edges;

    // Opens a new window (closing none); false when it did not become active.
    [[nodiscard]] bool open()
    {
        m_window = std::make_unique<Form1>(edges);
        m_window->show();
        return QTest::qWaitForWindowActive(m_window.get());
    }

    Form1 &window() const { return *m_window; }

    template <typename Control>
    Control *control(const QString &name) const
    {
        auto *found = m_window->findChild<Control *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    QRadioButton *option(const char *array, int index) const
    {
        return control<QRadioButton>(QLatin1String(array) + u'_' + QString::number(index));
    }
    QPushButton *button(const char *name) const { return control<QPushButton>(QLatin1String(name)); }
    QLabel *label(const char *name) const { return control<QLabel>(QLatin1String(name)); }
    QLineEdit *baseNameBox() const { return control<QLineEdit>(QStringLiteral("Text_TargetFileName")); }

    void click(QWidget *control) const { QTest::mouseClick(control, Qt::LeftButton); }

    void browseTo(const QString &path)
    {
        edges.chosenFiles.enqueue(path);
        click(button("Command_SelectSourceFile"));
    }

    // Picks device type `typeIndex`, count `countIndex` and the source file
    // at `path`, as a user would.
    void prepareJob(int typeIndex, int countIndex, const QString &path)
    {
        click(option("EpromSize", typeIndex));
        click(option("Batch", countIndex));
        browseTo(path);
    }

    void replaceBaseName(const QString &text) const
    {
        baseNameBox()->selectAll();
        QTest::keyClicks(baseNameBox(), text);
    }

    void run() const { click(button("Command_Run")); }

private:
    std::unique_ptr<Form1> m_window;
};

} // namespace quorvane::test
