#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace folio::test {

ScriptedDialogs::ScriptedDialogs() { Dialogs::install(this); }
ScriptedDialogs::~ScriptedDialogs() { Dialogs::install(nullptr); }

const ShownBox& ScriptedDialogs::last() const
{
    static const ShownBox none;
    return m_shown.isEmpty() ? none : m_shown.constLast();
}

QStringList ScriptedDialogs::prompts() const
{
    QStringList list;
    for (const ShownBox& b : m_shown)
        list << b.prompt;
    return list;
}

std::optional<ScriptedDialogs::Queued> ScriptedDialogs::show(const ShownBox& box)
{
    m_shown << box;
    if (!m_during.empty()) {
        auto action = std::move(m_during.front());
        m_during.pop_front();
        action();
    }
    if (m_answers.empty() || m_answers.front().isInput != box.isInput)
        return std::nullopt;
    const Queued q = m_answers.front();
    m_answers.pop_front();
    return q;
}

MsgAnswer ScriptedDialogs::msgBox(const MsgBoxRequest& request)
{
    if (const auto q = show({request.prompt, request.title, request.buttons, request.icon, request.defaultButton, false, {}}))
        return q->answer;
    if (request.buttons == MsgButtons::OkOnly)
        return MsgAnswer::Ok;
    ADD_FAILURE() << "unexpected question: \"" << request.prompt.toStdString() << "\" titled \""
                  << request.title.toStdString() << "\"";
    return MsgAnswer::Cancel;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    if (const auto q = show({prompt, title, MsgButtons::OkCancel, MsgIcon::None, 1, true, defaultText}))
        return q->answer == MsgAnswer::Cancel ? QString() : q->text;
    ADD_FAILURE() << "unexpected input box: \"" << prompt.toStdString() << "\"";
    return QString();
}

}  // namespace folio::test
