#pragma once

#include <QString>

namespace quorvane {

enum class MessageButtons { Ok, YesNo };

// A modal message for the user: the window decides how it is shown, the
// engine decides what it says.
struct Message
{
    QString title;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;

    friend bool operator==(const Message &, const Message &) = default;
};

} // namespace quorvane
