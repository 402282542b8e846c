#pragma once

#include <QString>

#include <functional>

namespace core {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Exclamation, Critical };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
    QString title;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

using MessageHandler = std::function<MessageAnswer(const Message&)>;

// Every message box of the program goes through here, so the core can ask without widgets, a window-less run
// can answer on stderr, and tests can observe and answer without blocking.
MessageAnswer showMessage(const Message& message);

// Installs the handler that answers from now on and returns the previous one. An empty handler restores the
// default, which prints title and text to stderr and takes the default answer.
MessageHandler setMessageHandler(MessageHandler handler);

} // namespace core
