#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"
#include "ui/value_field.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

using namespace quorvane;
using namespace quorvane::test;

// CTest runs this suite twice: at the normal scale and on a screen of twice
// the pixel density (QT_SCALE_FACTOR=2), where the logical layout must stay
// the same and no caption may be cut.
class TestWindowLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void drawsWithTheScreensPixels();
    void controlsStandWhereTheyWereDrawn_data();
    void controlsStandWhereTheyWereDrawn();
    void captionLabelsShowTheirWholeCaption_data();
    void captionLabelsShowTheirWholeCaption();
    void everyCaptionFitsItsControl();
    void nothingOverlapsOrLeavesItsContainer();
    void tabFollowsTheFocusOrder();
    void windowOpensCentred();
    void valueFieldsAreWhiteBoxesOfFixedSize();
    void valueFieldRaisesChangeBeforeReturning();

private:
    ScriptedEdges m_edges;
    std::unique_ptr<Form1> m_window;
};

void TestWindowLayout::init()
{
    m_window = std::make_unique<Form1>(m_edges);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestWindowLayout::cleanup()
{
    m_window.reset();
}

void TestWindowLayout::drawsWithTheScreensPixels()
{
    const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    QCOMPARE(m_window->devicePixelRatio(), scale);
    const QPixmap drawn = m_window->grab();
    QCOMPARE(drawn.size(), QSize(641, 281) * scale);
}

void TestWindowLayout::controlsStandWhereTheyWereDrawn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");

    auto row = [](const char *name, const char *container, const char *caption, QRect twips) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container)
                            << QString::fromLatin1(caption) << twips;
    };
    row("Frame1", "Form1", " Device Type ", {240, 240, 1335, 3135});
    // Option buttons are as high as their spacing (360), not 375, so that
    // neighbours do not overlap.
    row("EpromSize_6", "Frame1", "27010", {240, 360, 975, 360});
    row("EpromSize_0", "Frame1", "2716", {240, 2520, 975, 360});
    row("Frame2", "Form1", " Devices ", {1800, 240, 975, 3135});
    row("Batch_6", "Frame2", "8", {120, 360, 500, 360});
    row("Batch_0", "Frame2", "2", {120, 2520, 500, 360});
    row("Frame3", "Form1", " Source File ", {3000, 240, 6375, 1905});
    row("Label_SourcePath", "Frame3", "", {840, 390, 5175, 285});
    row("Label_SourceFile", "Frame3", "", {840, 810, 5175, 285});
    row("Command_SelectSourceFile", "Frame3", "Browse for Source File", {840, 1290, 4095, 375});
    row("Command_ClearSourceFile", "Frame3", "Clear", {5040, 1290, 975, 375});
    row("Frame4", "Form1", " Target Files ", {3000, 2190, 6375, 1185});
    row("Text_TargetFileName", "Frame4", "", {840, 645, 4095, 285});
    row("Command1", "Frame4", "Clear", {5040, 600, 975, 375});
    row("Command_Exit", "Form1", "EXIT ", {240, 3600, 2535, 375});
    row("Command_Run", "Form1", "RUN", {3000, 3600, 6375, 375});
}

void TestWindowLayout::controlsStandWhereTheyWereDrawn()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);

    auto *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), container);
    const auto pixels = [](int value) { return (value + 7) / 15; };
    QCOMPARE(control->geometry(),
             QRect(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()), pixels(twips.height())));

    QString shown;
    if (auto *group = qobject_cast<QGroupBox *>(control))
        shown = group->title();
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        shown = button->text();
    else if (auto *label = qobject_cast<QLabel *>(control))
        shown = label->text();
    else if (auto *box = qobject_cast<QLineEdit *>(control))
        shown = box->text();
    QCOMPARE(shown, caption);
}

void TestWindowLayout::captionLabelsShowTheirWholeCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("twips");

    QTest::newRow("Label1") << "Label1" << "Path:" << QPoint(360, 420);
    QTest::newRow("Label3") << "Label3" << "File:" << QPoint(360, 840);
    QTest::newRow("Label2") << "Label2"
                            << "Enter a new major file name. The.bin extension and a numeric suffix will be added."
                            << QPoint(360, 300);
}

void TestWindowLayout::captionLabelsShowTheirWholeCaption()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QPoint, twips);

    auto *label = m_window->findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->pos(), QPoint(twips.x() / 15, twips.y() / 15));
    QVERIFY(!label->wordWrap());
}

namespace {

// The room the style leaves a button for its caption.
QRect captionRoom(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool radio = qobject_cast<const QRadioButton *>(button) != nullptr;
    return button->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents,
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

void TestWindowLayout::everyCaptionFitsItsControl()
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

void TestWindowLayout::nothingOverlapsOrLeavesItsContainer()
{
    const QList<QWidget *> containers{m_window.get(), m_window->findChild<QWidget *>(QStringLiteral("Frame1")),
                                      m_window->findChild<QWidget *>(QStringLiteral("Frame2")),
                                      m_window->findChild<QWidget *>(QStringLiteral("Frame3")),
                                      m_window->findChild<QWidget *>(QStringLiteral("Frame4"))};
    for (QWidget *container : containers) {
        const QList<QWidget *> children = container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QVERIFY(!children.isEmpty());
        for (qsizetype i = 0; i < children.size(); ++i) {
            QVERIFY2(container->rect().contains(children[i]->geometry()), qPrintable(children[i]->objectName()));
            for (qsizetype j = i + 1; j < children.size(); ++j) {
                QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                         qPrintable(children[i]->objectName() + u'/' + children[j]->objectName()));
            }
        }
    }
}

void TestWindowLayout::tabFollowsTheFocusOrder()
{
    QStringList expected{QStringLiteral("Command_Exit"), QStringLiteral("Command_Run")};
    for (int index = 0; index < 7; ++index)
        expected << QStringLiteral("EpromSize_%1").arg(index);
    for (int index = 0; index < 7; ++index)
        expected << QStringLiteral("Batch_%1").arg(index);
    expected << QStringLiteral("Command_SelectSourceFile") << QStringLiteral("Text_TargetFileName")
             << QStringLiteral("Command_ClearSourceFile") << QStringLiteral("Command1");

    QStringList chain;
    QWidget *widget = m_window->findChild<QWidget *>(QStringLiteral("Command_Exit"));
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget->objectName() != QLatin1String("Command_Exit"));
    QCOMPARE(chain, expected);
}

// CTest runs this once more with two screens, the primary one not at the
// origin, where Qt's default geometry lies on the other.
void TestWindowLayout::windowOpensCentred()
{
    QCOMPARE(m_window->screen(), QGuiApplication::primaryScreen());
    // Placed before the window manager adds its frame, so the frame may shift it.
    const QSize frame = m_window->frameGeometry().size() - m_window->size();
    const QPoint offCentre = m_window->geometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY(qAbs(offCentre.x()) <= frame.width());
    QVERIFY(qAbs(offCentre.y()) <= frame.height());
}

void TestWindowLayout::valueFieldsAreWhiteBoxesOfFixedSize()
{
    // A dark colour scheme must not turn the fields' text white on white.
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, Qt::black);
    dark.setColor(QPalette::WindowText, Qt::white);
    QApplication::setPalette(dark);
    const auto restore = qScopeGuard([&light] { QApplication::setPalette(light); });

    for (const QString &name : {QStringLiteral("Label_SourcePath"), QStringLiteral("Label_SourceFile")}) {
        auto *field = m_window->findChild<ValueField *>(name);
        QVERIFY(field);
        QVERIFY(field->autoFillBackground());
        QCOMPARE(field->palette().color(field->backgroundRole()), QColor(255, 255, 255));
        QCOMPARE(field->palette().color(field->foregroundRole()), QColor(0, 0, 0));
        QCOMPARE(field->frameShape(), QFrame::Box);
        QCOMPARE(field->lineWidth(), 1);

        const QSize size = field->size();
        field->setCaption(QString(400, u'x'));
        QCoreApplication::processEvents();
        QCOMPARE(field->size(), size);
        QCOMPARE(field->toolTip(), QString(400, u'x'));
    }
}

void TestWindowLayout::valueFieldRaisesChangeBeforeReturning()
{
    auto *field = m_window->findChild<ValueField *>(QStringLiteral("Label_SourceFile"));
    QString seen;
    connect(field, &ValueField::changed, this, [&seen, field] { seen = field->text(); });
    field->setCaption(QStringLiteral("rom.bin"));
    QCOMPARE(seen, QStringLiteral("rom.bin"));
}

QUORVANE_TEST_MAIN(TestWindowLayout, QApplication)
#include "tst_window_layout.moc"
