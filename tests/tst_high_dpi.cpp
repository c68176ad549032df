// The window on a screen of twice the pixel density (CTest runs this suite
// with QT_SCALE_FACTOR=2): it is drawn with twice the pixels but keeps its
// logical layout, so its proportions stay and no caption is cut.

#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"
#include "ui/value_field.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

using namespace quorvane;
using namespace quorvane::test;

class TestHighDpi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void drawsWithTwiceThePixels();
    void controlsKeepTheirLogicalGeometry_data();
    void controlsKeepTheirLogicalGeometry();
    void captionLabelsKeepTheirPlace();
    void noSiblingsOverlapOrLeaveTheirContainer();
    void everyCaptionFitsItsControl();

private:
    ScriptedEdges m_edges;
    std::unique_ptr<Form1> m_window;
};

namespace {

// The room a button leaves for its caption, as the style lays it out.
QRect captionRoom(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle::SubElement contents = qobject_cast<const QRadioButton *>(button) ? QStyle::SE_RadioButtonContents
                                                                                  : QStyle::SE_PushButtonContents;
    return button->style()->subElementRect(contents, &option, button);
}

// Where the style puts a group box's title.
QRect titleRect(const QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

} // namespace

void TestHighDpi::initTestCase()
{
    m_window = std::make_unique<Form1>(m_edges);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestHighDpi::cleanupTestCase()
{
    m_window.reset();
}

void TestHighDpi::drawsWithTwiceThePixels()
{
    QCOMPARE(m_window->devicePixelRatio(), 2.0);
    QCOMPARE(m_window->size(), QSize(641, 281));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());

    const QPixmap drawn = m_window->grab();
    QCOMPARE(drawn.devicePixelRatio(), 2.0);
    QCOMPARE(drawn.size(), QSize(1282, 562));
}

void TestHighDpi::controlsKeepTheirLogicalGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("Frame1") << "Frame1" << QRect(16, 16, 89, 209);
    QTest::newRow("Frame2") << "Frame2" << QRect(120, 16, 65, 209);
    for (int index = 0; index < 7; ++index) {
        QTest::addRow("EpromSize_%d", index)
            << QStringLiteral("EpromSize_%1").arg(index) << QRect(16, 168 - 24 * index, 65, 24);
        QTest::addRow("Batch_%d", index) << QStringLiteral("Batch_%1").arg(index) << QRect(8, 168 - 24 * index, 33, 24);
    }
    QTest::newRow("Frame3") << "Frame3" << QRect(200, 16, 425, 127);
    QTest::newRow("Label_SourcePath") << "Label_SourcePath" << QRect(56, 26, 345, 19);
    QTest::newRow("Label_SourceFile") << "Label_SourceFile" << QRect(56, 54, 345, 19);
    QTest::newRow("Command_SelectSourceFile") << "Command_SelectSourceFile" << QRect(56, 86, 273, 25);
    QTest::newRow("Command_ClearSourceFile") << "Command_ClearSourceFile" << QRect(336, 86, 65, 25);
    QTest::newRow("Frame4") << "Frame4" << QRect(200, 146, 425, 79);
    QTest::newRow("Text_TargetFileName") << "Text_TargetFileName" << QRect(56, 43, 273, 19);
    QTest::newRow("Command1") << "Command1" << QRect(336, 40, 65, 25);
    QTest::newRow("Command_Exit") << "Command_Exit" << QRect(16, 240, 169, 25);
    QTest::newRow("Command_Run") << "Command_Run" << QRect(200, 240, 425, 25);
}

void TestHighDpi::controlsKeepTheirLogicalGeometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);

    auto *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
}

void TestHighDpi::captionLabelsKeepTheirPlace()
{
    for (auto [name, place] : {std::pair{"Label1", QPoint(24, 28)}, std::pair{"Label3", QPoint(24, 56)},
                               std::pair{"Label2", QPoint(24, 20)}}) {
        auto *label = m_window->findChild<QLabel *>(QLatin1String(name));
        QVERIFY2(label, name);
        QCOMPARE(label->pos(), place);
    }
}

void TestHighDpi::noSiblingsOverlapOrLeaveTheirContainer()
{
    QList<QWidget *> containers = m_window->findChildren<QWidget *>();
    containers.prepend(m_window.get());
    for (const QWidget *container : std::as_const(containers)) {
        QList<QWidget *> children;
        for (QWidget *child : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisibleTo(m_window.get()))
                children.append(child);
        }
        for (qsizetype i = 0; i < children.size(); ++i) {
            QVERIFY2(container->rect().contains(children[i]->geometry()), qPrintable(children[i]->objectName()));
            for (qsizetype j = i + 1; j < children.size(); ++j) {
                QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                         qPrintable(children[i]->objectName() + u'/' + children[j]->objectName()));
            }
        }
    }
}

void TestHighDpi::everyCaptionFitsItsControl()
{
    int captions = 0;
    for (const QAbstractButton *button : m_window->findChildren<QAbstractButton *>()) {
        const QRect room = captionRoom(button);
        const QFontMetrics metrics = button->fontMetrics();
        QVERIFY2(metrics.horizontalAdvance(button->text()) <= room.width(), qPrintable(button->objectName()));
        QVERIFY2(metrics.height() <= room.height(), qPrintable(button->objectName()));
        ++captions;
    }
    for (const QGroupBox *box : m_window->findChildren<QGroupBox *>()) {
        QVERIFY2(box->rect().contains(titleRect(box)), qPrintable(box->objectName()));
        ++captions;
    }
    for (const QLabel *label : m_window->findChildren<QLabel *>()) {
        if (qobject_cast<const ValueField *>(label))
            continue; // shows a value, shortened by design where it is too long
        const QFontMetrics metrics = label->fontMetrics();
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
                 qPrintable(label->objectName()));
        QVERIFY2(metrics.height() <= label->contentsRect().height(), qPrintable(label->objectName()));
        ++captions;
    }
    QCOMPARE(captions, 14 + 5 + 4 + 3);
}

QUORVANE_TEST_MAIN(TestHighDpi, QApplication)
#include "tst_high_dpi.moc"
