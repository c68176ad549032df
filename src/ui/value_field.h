#pragma once

#include <QLabel>

namespace quorvane {

// A read-only field that shows one value (a folder, a file name) on a white
// ground. Setting its caption from the program raises changed() at once, so
// that whatever depends on the caption follows it in the same step. A caption
// too long for the field is drawn shortened in the middle; the full caption
// stays the label's text and its tool tip.
class ValueField : public QLabel
{
    Q_OBJECT

public:
    explicit ValueField(QWidget *parent);

    void setCaption(const QString &caption);

Q_SIGNALS:
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace quorvane
