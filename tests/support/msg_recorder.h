#pragma once
// Replaces the message layer in tests: records every box that was shown and
// answers with queued answers (Yes for questions, cancel for inputs, when the
// queue is empty).

#include "platform/ui/msg.h"

#include <QList>
#include <QQueue>
#include <QStringList>

class MsgRecorder final : public Msg::Handler {
public:
    MsgRecorder();
    ~MsgRecorder() override;

    Msg::Button message(const Msg::Request& request) override;
    std::optional<QString> input(const Msg::Request& request) override;

    // Answers for the next boxes, in order.
    void answer(Msg::Button button) { m_buttons.enqueue(button); }
    void answerInput(std::optional<QString> text) { m_inputs.enqueue(std::move(text)); }

    QList<Msg::Request> requests;
    // The texts of the message boxes (not the input boxes) shown so far.
    QStringList texts() const;
    QString last() const;
    void clear() { requests.clear(); }

private:
    Msg::Handler* m_previous;
    QQueue<Msg::Button> m_buttons;
    QQueue<std::optional<QString>> m_inputs;
};
