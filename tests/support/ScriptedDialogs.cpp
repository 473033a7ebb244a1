#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace folio::test {

ScriptedDialogs::ScriptedDialogs() { Dialogs::install(this); }
ScriptedDialogs::~ScriptedDialogs() { Dialogs::install(nullptr); }

ScriptedDialogs& ScriptedDialogs::answer(MsgAnswer a)
{
    m_answers.push_back(Queued{false, a, {}, false});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::input(const QString& text)
{
    m_answers.push_back(Queued{true, MsgAnswer::Ok, text, false});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::cancelInput()
{
    m_answers.push_back(Queued{true, MsgAnswer::Cancel, {}, true});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::during(std::function<void()> action)
{
    m_during.push_back(std::move(action));
    return *this;
}

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

MsgAnswer ScriptedDialogs::msgBox(const MsgBoxRequest& request)
{
    m_shown << ShownBox{request.prompt, request.title, request.buttons, request.icon, request.defaultButton, false, {}};
    if (!m_during.empty()) {
        auto action = std::move(m_during.front());
        m_during.pop_front();
        action();
    }
    if (!m_answers.empty() && !m_answers.front().isInput) {
        const MsgAnswer a = m_answers.front().answer;
        m_answers.pop_front();
        return a;
    }
    if (request.buttons == MsgButtons::OkOnly)
        return MsgAnswer::Ok;
    ADD_FAILURE() << "unexpected question: \"" << request.prompt.toStdString() << "\" titled \""
                  << request.title.toStdString() << "\"";
    return MsgAnswer::Cancel;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    m_shown << ShownBox{prompt, title, MsgButtons::OkCancel, MsgIcon::None, 1, true, defaultText};
    if (!m_during.empty()) {
        auto action = std::move(m_during.front());
        m_during.pop_front();
        action();
    }
    if (!m_answers.empty() && m_answers.front().isInput) {
        const Queued q = m_answers.front();
        m_answers.pop_front();
        return q.cancel ? QString() : q.text;
    }
    ADD_FAILURE() << "unexpected input box: \"" << prompt.toStdString() << "\"";
    return QString();
}

}  // namespace folio::test
