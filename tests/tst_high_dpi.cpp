// The window on a screen of twice the pixel density (CTest runs this suite
// with QT_SCALE_FACTOR=2): drawn with twice the pixels, it keeps its logical
// layout, so its proportions stay and no caption is cut.

#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"
#include "ui/value_field.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
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
    void controlsKeepTheirLogicalGeometry();
    void noSiblingsOverlapOrLeaveTheirContainer();
    void everyCaptionFitsItsControl();

private:
    ScriptedEdges m_edges;
    std::unique_ptr<Form1> m_window;
};

namespace {

// The room the style leaves a button for its caption.
QRect captionRoom(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(qobject_cast<const QRadioButton *>(button)
                                               ? QStyle::SE_RadioButtonContents
                                               : QStyle::SE_PushButtonContents,
                                           &option, button);
}

// Where the style puts a group box's title.
QRect titleRect(const QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
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
    const QPixmap drawn = m_window->grab();
    QCOMPARE(drawn.devicePixelRatio(), 2.0);
    QCOMPARE(drawn.size(), QSize(1282, 562));
}

void TestHighDpi::controlsKeepTheirLogicalGeometry()
{
    QCOMPARE(m_window->size(), QSize(641, 281));
    QList<std::pair<QString, QRect>> expected{
        {QStringLiteral("Frame1"), {16, 16, 89, 209}},
        {QStringLiteral("Frame2"), {120, 16, 65, 209}},
        {QStringLiteral("Frame3"), {200, 16, 425, 127}},
        {QStringLiteral("Label_SourcePath"), {56, 26, 345, 19}},
        {QStringLiteral("Label_SourceFile"), {56, 54, 345, 19}},
        {QStringLiteral("Command_SelectSourceFile"), {56, 86, 273, 25}},
        {QStringLiteral("Command_ClearSourceFile"), {336, 86, 65, 25}},
        {QStringLiteral("Frame4"), {200, 146, 425, 79}},
        {QStringLiteral("Text_TargetFileName"), {56, 43, 273, 19}},
        {QStringLiteral("Command1"), {336, 40, 65, 25}},
        {QStringLiteral("Command_Exit"), {16, 240, 169, 25}},
        {QStringLiteral("Command_Run"), {200, 240, 425, 25}},
    };
    for (int index = 0; index < 7; ++index) {
        expected.append({QStringLiteral("EpromSize_%1").arg(index), {16, 168 - 24 * index, 65, 24}});
        expected.append({QStringLiteral("Batch_%1").arg(index), {8, 168 - 24 * index, 33, 24}});
    }
    for (const auto &[name, geometry] : std::as_const(expected)) {
        auto *control = m_window->findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->geometry(), geometry);
    }
    // Caption labels size themselves to their font; where they start stays.
    for (const auto &[name, place] : {std::pair{"Label1", QPoint(24, 28)}, std::pair{"Label3", QPoint(24, 56)},
                                      std::pair{"Label2", QPoint(24, 20)}})
        QCOMPARE(m_window->findChild<QLabel *>(QLatin1String(name))->pos(), place);
}

void TestHighDpi::noSiblingsOverlapOrLeaveTheirContainer()
{
    QList<QWidget *> containers = m_window->findChildren<QWidget *>();
    containers.prepend(m_window.get());
    for (const QWidget *container : std::as_const(containers)) {
        QList<QWidget *> children = container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        children.removeIf([this](const QWidget *child) { return !child->isVisibleTo(m_window.get()); });
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
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= room.width(),
                 qPrintable(button->objectName()));
        QVERIFY2(button->fontMetrics().height() <= room.height(), qPrintable(button->objectName()));
        ++captions;
    }
    for (const QGroupBox *box : m_window->findChildren<QGroupBox *>()) {
        QVERIFY2(box->rect().contains(titleRect(box)), qPrintable(box->objectName()));
        ++captions;
    }
    for (const QLabel *label : m_window->findChildren<QLabel *>()) {
        if (qobject_cast<const ValueField *>(label))
            continue; // shows a value, shortened by design where it is too long
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                 qPrintable(label->objectName()));
        QVERIFY2(label->fontMetrics().height() <= label->contentsRect().height(), qPrintable(label->objectName()));
        ++captions;
    }
    QCOMPARE(captions, 14 + 5 + 4 + 3); // options, push buttons, frames, caption labels
}

QUORVANE_TEST_MAIN(TestHighDpi, QApplication)
#include "tst_high_dpi.moc"
