#include "ui/fresh_keys.h"

#include <QKeyEvent>
#include <QWidget>

namespace quorvane {

namespace {

// The keys that press a button or answer a box. Any other key keeps its
// repeat: a held Tab or arrow key moves on past the buttons.
bool pressesOrAnswers(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
}

} // namespace

void FreshKeysOnly::guard(QWidget *widget)
{
    widget->installEventFilter(this);
    for (QWidget *inside : widget->findChildren<QWidget *>())
        inside->installEventFilter(this);
}

bool FreshKeysOnly::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (!pressesOrAnswers(key->key()))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyRelease) {
        m_releasedKey = key->key();
        m_releasedAt = key->timestamp();
        return key->isAutoRepeat();
    }
    // Events made without a time (by the program itself) carry 0.
    const bool atTheRelease = key->timestamp() != 0 && key->timestamp() == m_releasedAt && key->key() == m_releasedKey;
    return key->isAutoRepeat() || atTheRelease;
}

} // namespace quorvane
