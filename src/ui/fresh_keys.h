#pragma once

#include <QObject>

class QWidget;

namespace quorvane {

// Keeps the repeats of a held Space, Return, Enter or Select away from the
// widgets it guards, so that a held key presses a button or answers a box
// once. Qt tells a repeat on X11 by finding, after a release, a press of the
// same key at the same moment; when that press has not yet arrived, both pass
// for fresh ones. So a press at the very moment of the last release of its
// key counts as a repeat too.
class FreshKeysOnly final : public QObject
{
public:
    using QObject::QObject;

    // Guards `widget` and every widget inside it.
    void guard(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_releasedKey = 0;
    quint64 m_releasedAt = 0;
};

} // namespace quorvane
