// Where the window opens on a real X server (Xvfb): under openbox, which
// draws a title bar and borders around it, and with no window manager. The
// positions are read as the X server and the window manager publish them, as
// are the actions openbox offers on the window's frame.

#include "support/isolated_test_main.h"
#include "support/program_start.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QMargins>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace quorvane;
using namespace quorvane::test;

class TestWindowCentring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void frameIsCentredOnTheAvailableArea();

private:
    // What `tool` prints; empty when it fails.
    static QString output(const QString &tool, const QStringList &arguments);
    // The numbers after "=" of an xprop line, such as "NAME(CARDINAL) = 1, 1, 20, 1".
    static QList<int> numbers(const QString &xprop);
    // A "Name:  value" line of xwininfo.
    static int field(const QString &xwininfo, const char *name);

    bool m_managed = false;
};

QString TestWindowCentring::output(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QList<int> TestWindowCentring::numbers(const QString &xprop)
{
    QList<int> values;
    const qsizetype equals = xprop.indexOf(QLatin1String(" = "));
    if (equals < 0)
        return values;
    for (const QString &value : xprop.mid(equals + 3).split(u','))
        values.append(value.trimmed().toInt());
    return values;
}

int TestWindowCentring::field(const QString &xwininfo, const char *name)
{
    const QRegularExpression line(QLatin1String(name) + QStringLiteral(":\\s*(-?\\d+)"));
    const QRegularExpressionMatch match = line.match(xwininfo);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

void TestWindowCentring::initTestCase()
{
    if (!programsCanStart())
        QSKIP(cannotStartPrograms);
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    for (const char *tool : {"xprop", "xwininfo"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 qPrintable(QStringLiteral("%1 is missing (Debian package x11-utils)").arg(QLatin1String(tool))));

    // The display must be what the test run promised.
    const QByteArray manager = qgetenv("QUORVANE_WINDOW_MANAGER");
    QVERIFY2(manager == "openbox" || manager == "none", "QUORVANE_WINDOW_MANAGER must be openbox or none");
    m_managed = manager == "openbox";
    const QRegularExpressionMatch check
        = QRegularExpression(QStringLiteral("window id # (0x[0-9a-f]+)"))
              .match(output(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")}));
    QCOMPARE(check.hasMatch(), m_managed);
    if (m_managed) {
        const QString name
            = output(QStringLiteral("xprop"), {QStringLiteral("-id"), check.captured(1), QStringLiteral("_NET_WM_NAME")});
        QVERIFY2(name.contains(QLatin1String("Openbox")), qPrintable(name));
    }
}

void TestWindowCentring::frameIsCentredOnTheAvailableArea()
{
    ScriptedEdges edges;
    Form1 window(edges);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint shownAt = window.geometry().topLeft();
    const QString id = QString::number(window.winId());

    QList<int> frame{0, 0, 0, 0}; // left, right, top, bottom
    QRect area;
    if (m_managed) {
        QTRY_COMPARE(
            (frame = numbers(output(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")})))
                .size(),
            4);
        QVERIFY2(frame[2] > frame[3], "openbox draws a title bar");
        const QString actions
            = output(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_ALLOWED_ACTIONS")});
        QVERIFY2(actions.contains(QLatin1String("_NET_WM_ACTION_CLOSE")) && !actions.contains(QLatin1String("MAXIMIZE")),
                 qPrintable(actions));
        const QList<int> workArea
            = numbers(output(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_WORKAREA")}));
        QVERIFY(workArea.size() >= 4);
        area = QRect(workArea[0], workArea[1], workArea[2], workArea[3]);
    } else {
        QVERIFY(numbers(output(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")}))
                    .isEmpty());
        const QString root = output(QStringLiteral("xwininfo"), {QStringLiteral("-root")});
        area = QRect(0, 0, field(root, "Width"), field(root, "Height"));
    }
    const QString client = output(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    const QRect clientArea(field(client, "Absolute upper-left X"), field(client, "Absolute upper-left Y"),
                           field(client, "Width"), field(client, "Height"));
    QCOMPARE(clientArea.size(), window.size());
    const QRect outer = clientArea.adjusted(-frame[0], -frame[2], frame[1], frame[3]);

    // Centres compared in half pixels: within 2 pixels either way.
    const QPoint offCentre = (outer.topLeft() * 2 + QPoint(outer.width(), outer.height()))
                             - (area.topLeft() * 2 + QPoint(area.width(), area.height()));
    QVERIFY2(qAbs(offCentre.x()) <= 4 && qAbs(offCentre.y()) <= 4,
             qPrintable(QStringLiteral("frame at %1,%2 %3x%4 on an area of %5x%6")
                            .arg(outer.x())
                            .arg(outer.y())
                            .arg(outer.width())
                            .arg(outer.height())
                            .arg(area.width())
                            .arg(area.height())));
    // It opened there: nothing moved it after it was first shown.
    QCOMPARE(clientArea.topLeft(), shownAt);
}

QUORVANE_TEST_MAIN(TestWindowCentring, QApplication)
#include "tst_window_centring.moc"
