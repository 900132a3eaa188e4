#include "msg_recorder.h"

MsgRecorder::MsgRecorder() : m_previous(Msg::handler()) { Msg::setHandler(this); }

MsgRecorder::~MsgRecorder() { Msg::setHandler(nullptr); }

Msg::Button MsgRecorder::message(const Msg::Request& request)
{
    requests.append(request);
    if (!m_buttons.isEmpty())
        return m_buttons.dequeue();
    if (request.buttons.contains(Msg::Button::Yes))
        return Msg::Button::Yes;
    return request.buttons.isEmpty() ? Msg::Button::Ok : request.buttons.first();
}

std::optional<QString> MsgRecorder::input(const Msg::Request& request)
{
    requests.append(request);
    if (!m_inputs.isEmpty())
        return m_inputs.dequeue();
    return std::nullopt;
}

QStringList MsgRecorder::texts() const
{
    QStringList out;
    for (const auto& r : requests)
        if (r.kind == Msg::Kind::Message)
            out << r.text;
    return out;
}

QString MsgRecorder::last() const
{
    const QStringList t = texts();
    return t.isEmpty() ? QString() : t.last();
}
