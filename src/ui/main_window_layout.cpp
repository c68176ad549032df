// What the window looks like when it opens. Positions and sizes are kept in
// twips, as the layout was drawn, and turned into logical pixels here.

#include "engine/device_catalogue.h"
#include "ui/main_window.h"
#include "ui/value_field.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace quorvane {

namespace {

// 1440 twips to the inch at 96 logical pixels to the inch.
constexpr int twipsPerPixel = 15;

constexpr int px(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

template <typename Control>
Control *placed(Control *control, const char *name, const QRect &geometry)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

QGroupBox *frame(QWidget *window, const char *name, const QString &caption, const QRect &geometry)
{
    return placed(new QGroupBox(caption, window), name, geometry);
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    return placed(new QPushButton(caption, parent), name, geometry);
}

// A caption label sizes itself to its caption, so that no platform font cuts it.
QLabel *captionLabel(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *label = placed(new QLabel(caption, parent), name, {});
    label->move(px(left), px(top));
    label->adjustSize();
    return label;
}

// The hint was drawn for a narrow platform font; where the default font is
// wider, the hint is narrowed (condensed first in steps of 5 down to 60, then
// smaller in quarter points down to 6) until the label, sized to it, fits
// `width` on one line, so that no word of it is lost. Every stretch or size
// tried loads a font, so the search starts at the proportional guess rather
// than at the top: a narrowed font is not narrower than in proportion, so
// nothing above the guess fits.
void fitOnOneLine(QLabel *label, int width)
{
    const int unfitted = label->width(); // sized to the hint at the default font
    if (unfitted <= width)
        return;
    QFont font = label->font();
    const auto fits = [&] {
        label->setFont(font);
        label->adjustSize();
        return label->width() <= width;
    };

    constexpr int stretchStep = 5;
    constexpr int narrowestStretch = 60;
    int stretch = std::clamp(QFont::Unstretched * width / unfitted / stretchStep * stretchStep, narrowestStretch,
                             QFont::Unstretched - stretchStep);
    font.setStretch(stretch);
    bool fitting = fits();
    while (!fitting && stretch > narrowestStretch) {
        stretch -= stretchStep;
        font.setStretch(stretch);
        fitting = fits();
    }

    constexpr double sizeStep = 0.25;
    constexpr double smallestSize = 6;
    if (fitting || font.pointSizeF() < smallestSize + sizeStep)
        return;
    const double guess = std::floor(font.pointSizeF() * width / label->width() / sizeStep) * sizeStep;
    double size = std::clamp(guess, smallestSize, font.pointSizeF() - sizeStep);
    font.setPointSizeF(size);
    while (!fits() && size > smallestSize) {
        size -= sizeStep;
        font.setPointSizeF(size);
    }
}

#ifndef Q_OS_WIN
// The icon is a PNG; naming its format and leaving detection off spares
// loading every image plugin only to ask whether it reads the file.
QIcon windowIcon32()
{
    QImageReader reader(QStringLiteral(":/quorvane/quorvane.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return {QPixmap::fromImage(reader.read())};
}
#endif

ValueField *valueField(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *field = placed(new ValueField(parent), name, geometry);
    field->setFixedSize(geometry.size());
    return field;
}

// Index 0 is the lowest button of a column, index 6 the highest. The buttons
// stand 360 twips apart; at the drawn height of 375 neighbours would overlap by
// a pixel row and could take each other's clicks, so each is as high as the
// spacing.
using OptionCaptions = std::array<QString, deviceCountChoices>;

QButtonGroup *optionColumn(QGroupBox *group, const char *name, int left, int width, const OptionCaptions &captions)
{
    auto *options = new QButtonGroup(group);
    options->setObjectName(QLatin1String(name));
    constexpr int lowestTop = 2520;
    constexpr int spacing = 360;
    for (int index = 0; index < deviceCountChoices; ++index) {
        auto *option = new QRadioButton(captions.at(index), group);
        option->setObjectName(QLatin1String(name) + u'_' + QString::number(index));
        option->setGeometry(twipsRect(left, lowestTop - spacing * index, width, spacing));
        options->addButton(option, index);
    }
    return options;
}

} // namespace

void Form1::layOutControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvane"));
#ifndef Q_OS_WIN
    // On Windows the window class carries the icon of the exe, drawn for
    // every size Windows asks for.
    setWindowIcon(windowIcon32());
#endif
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(px(9615), px(4215));

    Frame1 = frame(this, "Frame1", QStringLiteral(" Device Type "), twipsRect(240, 240, 1335, 3135));
    OptionCaptions typeCaptions;
    for (const DeviceType &type : deviceCatalogue)
        typeCaptions.at(type.index) = QString::fromLatin1(type.caption);
    EpromSize = optionColumn(Frame1, "EpromSize", 240, 975, typeCaptions);

    Frame2 = frame(this, "Frame2", QStringLiteral(" Devices "), twipsRect(1800, 240, 975, 3135));
    OptionCaptions countCaptions;
    for (int index = 0; index < deviceCountChoices; ++index) {
        if (const std::optional<qint16> count = deviceCountAt(index))
            countCaptions.at(index) = QString::number(*count);
    }
    Batch = optionColumn(Frame2, "Batch", 120, 500, countCaptions);

    Frame3 = frame(this, "Frame3", QStringLiteral(" Source File "), twipsRect(3000, 240, 6375, 1905));
    Label1 = captionLabel(Frame3, "Label1", QStringLiteral("Path:"), 360, 420);
    Label_SourcePath = valueField(Frame3, "Label_SourcePath", twipsRect(840, 390, 5175, 285));
    Label3 = captionLabel(Frame3, "Label3", QStringLiteral("File:"), 360, 840);
    Label_SourceFile = valueField(Frame3, "Label_SourceFile", twipsRect(840, 810, 5175, 285));
    Command_SelectSourceFile = button(Frame3, "Command_SelectSourceFile", QStringLiteral("Browse for Source File"),
                                      twipsRect(840, 1290, 4095, 375));
    Command_ClearSourceFile
        = button(Frame3, "Command_ClearSourceFile", QStringLiteral("Clear"), twipsRect(5040, 1290, 975, 375));

    Frame4 = frame(this, "Frame4", QStringLiteral(" Target Files "), twipsRect(3000, 2190, 6375, 1185));
    Label2 = captionLabel(
        Frame4, "Label2",
        QStringLiteral("Enter a new major file name. The.bin extension and a numeric suffix will be added."), 360, 300);
    fitOnOneLine(Label2, Frame4->width() - 2 * Label2->x());
    Text_TargetFileName = placed(new QLineEdit(Frame4), "Text_TargetFileName", twipsRect(840, 645, 4095, 285));
    Command1 = button(Frame4, "Command1", QStringLiteral("Clear"), twipsRect(5040, 600, 975, 375));

    Command_Exit = button(this, "Command_Exit", QStringLiteral("EXIT "), twipsRect(240, 3600, 2535, 375));
    Command_Run = button(this, "Command_Run", QStringLiteral("RUN"), twipsRect(3000, 3600, 6375, 375));
    Command_Run->setEnabled(false);

    // New windows belong on the primary screen, as Windows places them: the
    // screen under Qt's default geometry may be another one, even one that
    // is switched off (a projector to the left of a laptop).
    setScreen(QGuiApplication::primaryScreen());
    move(screen()->availableGeometry().center() - rect().center());
}

void Form1::setFocusOrder()
{
    QList<QWidget *> order{Command_Exit, Command_Run};
    for (QAbstractButton *option : EpromSize->buttons())
        order.append(option);
    for (QAbstractButton *option : Batch->buttons())
        order.append(option);
    order << Command_SelectSourceFile << Text_TargetFileName << Command_ClearSourceFile << Command1;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    Command_Exit->setFocus(Qt::OtherFocusReason);
}

} // namespace quorvane
