#include "ui/value_field.h"

#include <QPainter>
#include <QStyle>

namespace quorvane {

ValueField::ValueField(QWidget *parent)
    : QLabel(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    // Black on white whatever the colour scheme: a dark theme's light text
    // would vanish on the white ground.
    QPalette blackOnWhite = palette();
    blackOnWhite.setColor(QPalette::Window, Qt::white);
    blackOnWhite.setColor(QPalette::WindowText, Qt::black);
    setPalette(blackOnWhite);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(2);
}

void ValueField::setCaption(const QString &caption)
{
    setText(caption);
    setToolTip(caption);
    Q_EMIT changed();
}

void ValueField::paintEvent(QPaintEvent *event)
{
    // QLabel would draw the whole text; only the frame is wanted from below.
    QFrame::paintEvent(event); // NOLINT(bugprone-parent-virtual-call)
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(indent(), 0, -indent(), 0);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

} // namespace quorvane
