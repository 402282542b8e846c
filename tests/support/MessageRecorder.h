#pragma once

#include "base/core/MessageBox.h"

#include <QList>

// Records every message box shown while it lives and answers each with a preset answer (or its default).
class MessageRecorder {
public:
    MessageRecorder()
    {
        m_previous = core::setMessageHandler([this](const core::Message& message) {
            m_messages.append(message);
            return m_answers.isEmpty() ? message.defaultAnswer : m_answers.takeFirst();
        });
    }
    ~MessageRecorder() { core::setMessageHandler(m_previous); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void answerNext(core::MessageAnswer answer) { m_answers.append(answer); }
    const QList<core::Message>& messages() const { return m_messages; }

private:
    core::MessageHandler m_previous;
    QList<core::Message> m_messages;
    QList<core::MessageAnswer> m_answers;
};
