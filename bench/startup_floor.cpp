// The least a Qt program can do to show Quorvane's window: the same controls,
// captions and geometry as the tool's window, with no logic, icon, settings
// or accessibility set-up, and the hint left at the default font. The
// start-up of the tool is measured against this (bench/startup-ratio).

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Geometry in twips, 15 to the logical pixel, as the tool lays it out.
QRect twips(int left, int top, int width, int height)
{
    const auto px = [](int value) {
        return (value + 7) / 15;
    };
    return {px(left), px(top), px(width), px(height)};
}

template <typename Control>
Control *placed(Control *control, const QRect &geometry)
{
    control->setGeometry(geometry);
    return control;
}

void optionColumn(QGroupBox *group, int left, int width, const QStringList &captions)
{
    for (int index = 0; index < captions.size(); ++index)
        placed(new QRadioButton(captions.at(index), group), twips(left, 2520 - 360 * index, width, 360));
}

void valueField(QWidget *parent, const QRect &geometry)
{
    auto *field = placed(new QLabel(parent), geometry);
    field->setFrameStyle(QFrame::Box | QFrame::Plain);
    field->setAutoFillBackground(true);
    QPalette white = field->palette();
    white.setColor(QPalette::Window, Qt::white);
    field->setPalette(white);
}

void captionLabel(QWidget *parent, const QString &caption, int left, int top)
{
    auto *label = new QLabel(caption, parent);
    label->move(twips(left, top, 0, 0).topLeft());
    label->adjustSize();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quorvane, v1.01 - June 2024 / QZ"));
    window.setFixedSize(twips(0, 0, 9615, 4215).size());

    auto *types = placed(new QGroupBox(QStringLiteral(" Device Type "), &window), twips(240, 240, 1335, 3135));
    optionColumn(types, 240, 975,
                 {QStringLiteral("2716"), QStringLiteral("2732"), QStringLiteral("2764"), QStringLiteral("27128"),
                  QStringLiteral("27256"), QStringLiteral("27512"), QStringLiteral("27010")});
    auto *counts = placed(new QGroupBox(QStringLiteral(" Devices "), &window), twips(1800, 240, 975, 3135));
    optionColumn(counts, 120, 500,
                 {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                  QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")});

    auto *source = placed(new QGroupBox(QStringLiteral(" Source File "), &window), twips(3000, 240, 6375, 1905));
    captionLabel(source, QStringLiteral("Path:"), 360, 420);
    valueField(source, twips(840, 390, 5175, 285));
    captionLabel(source, QStringLiteral("File:"), 360, 840);
    valueField(source, twips(840, 810, 5175, 285));
    placed(new QPushButton(QStringLiteral("Browse for Source File"), source), twips(840, 1290, 4095, 375));
    placed(new QPushButton(QStringLiteral("Clear"), source), twips(5040, 1290, 975, 375));

    auto *target = placed(new QGroupBox(QStringLiteral(" Target Files "), &window), twips(3000, 2190, 6375, 1185));
    captionLabel(target,
                 QStringLiteral("Enter a new major file name. The.bin extension and a numeric suffix will be added."),
                 360, 300);
    placed(new QLineEdit(target), twips(840, 645, 4095, 285));
    placed(new QPushButton(QStringLiteral("Clear"), target), twips(5040, 600, 975, 375));

    placed(new QPushButton(QStringLiteral("EXIT "), &window), twips(240, 3600, 2535, 375));
    placed(new QPushButton(QStringLiteral("RUN"), &window), twips(3000, 3600, 6375, 375))->setEnabled(false);

    window.show();
    return QApplication::exec();
}
