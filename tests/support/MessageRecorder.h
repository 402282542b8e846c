#pragma once

#include "app/MessageBox.h"

#include <QList>

// Records every message box shown while it lives and answers each with a preset answer (or its default).
class MessageRecorder {
public:
    MessageRecorder()
    {
        m_previous = app::setMessageHandler([this](const app::Message& message) {
            m_messages.append(message);
            return m_answers.isEmpty() ? message.defaultAnswer : m_answers.takeFirst();
        });
    }
    ~MessageRecorder() { app::setMessageHandler(m_previous); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void answerNext(app::MessageAnswer answer) { m_answers.append(answer); }
    const QList<app::Message>& messages() const { return m_messages; }

private:
    app::MessageHandler m_previous;
    QList<app::Message> m_messages;
    QList<app::MessageAnswer> m_answers;
};
