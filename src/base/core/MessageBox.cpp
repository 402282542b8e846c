#include "base/core/MessageBox.h"

#include <QTextStream>

#include <utility>

namespace core {

namespace {

MessageAnswer printToStderr(const Message& message)
{
    QTextStream err(stderr);
    err << message.title.trimmed() << ": " << message.text.trimmed() << Qt::endl;
    return message.defaultAnswer;
}

MessageHandler& currentHandler()
{
    static MessageHandler handler = printToStderr;
    return handler;
}

} // namespace

MessageAnswer showMessage(const Message& message)
{
    return currentHandler()(message);
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    if (!handler)
        handler = printToStderr;
    return std::exchange(currentHandler(), std::move(handler));
}

} // namespace core
