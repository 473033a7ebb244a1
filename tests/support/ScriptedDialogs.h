#pragma once
// A test double for message and input boxes: records every box and answers from a queue.
// A box that no test expected fails the test.
#include "platform/ui/Dialogs.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>

namespace folio::test {

struct ShownBox {
    QString prompt;
    QString title;
    MsgButtons buttons = MsgButtons::OkOnly;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 1;
    bool isInput = false;
    QString defaultText;  // input boxes
    bool operator==(const ShownBox&) const = default;
};

// A message box as a test expects it; unless given, OK only, no icon, the program's title.
inline ShownBox msgBox(const QString& prompt, const QString& title = QStringLiteral("Tagwright Folio"),
                       MsgButtons buttons = MsgButtons::OkOnly, MsgIcon icon = MsgIcon::None, int defaultButton = 1)
{
    return ShownBox{prompt, title, buttons, icon, defaultButton, false, {}};
}

inline void PrintTo(const ShownBox& b, std::ostream* os)
{
    *os << (b.isInput ? "input box \"" : "message box \"") << b.prompt.toStdString() << "\" titled \""
        << b.title.toStdString() << "\", buttons " << int(b.buttons) << ", icon " << int(b.icon) << ", default "
        << b.defaultButton << ", default text \"" << b.defaultText.toStdString() << '"';
}

class ScriptedDialogs final : public Dialogs {
public:
    // Installs itself for its lifetime.
    ScriptedDialogs() { Dialogs::install(this); }
    ~ScriptedDialogs() override { Dialogs::install(nullptr); }

    // Queues the answer for the next message box; OK-only boxes need no answer unless
    // strict() is set.
    ScriptedDialogs& answer(MsgAnswer a) { return queue({false, a, {}}); }
    // Queues the text the next input box returns (Cancel: use cancelInput()).
    ScriptedDialogs& input(const QString& text) { return queue({true, MsgAnswer::Ok, text}); }
    ScriptedDialogs& cancelInput() { return queue({true, MsgAnswer::Cancel, {}}); }
    // Runs `action` while the next box is up (for example to check the state behind it),
    // before it answers.
    ScriptedDialogs& during(std::function<void()> action)
    {
        m_during.push_back(std::move(action));
        return *this;
    }

    const QList<ShownBox>& shown() const { return m_shown; }
    const ShownBox& last() const
    {
        static const ShownBox none;
        return m_shown.isEmpty() ? none : m_shown.constLast();
    }
    QStringList prompts() const
    {
        QStringList list;
        for (const ShownBox& b : m_shown)
            list << b.prompt;
        return list;
    }
    void clear() { m_shown.clear(); }
    // Answers that were queued but never used.
    int pendingAnswers() const { return int(m_answers.size()); }

    MsgAnswer msgBox(const MsgBoxRequest& request) override
    {
        if (const auto q = show({request.prompt, request.title, request.buttons, request.icon, request.defaultButton, false, {}}))
            return q->answer;
        if (request.buttons != MsgButtons::OkOnly)
            ADD_FAILURE() << "unexpected question: \"" << request.prompt.toStdString() << "\" titled \"" << request.title.toStdString() << '"';
        return request.buttons == MsgButtons::OkOnly ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        const auto q = show({prompt, title, MsgButtons::OkCancel, MsgIcon::None, 1, true, defaultText});
        if (!q)
            ADD_FAILURE() << "unexpected input box: \"" << prompt.toStdString() << '"';
        return q && q->answer != MsgAnswer::Cancel ? q->text : QString();
    }

private:
    struct Queued {
        bool isInput = false;
        MsgAnswer answer = MsgAnswer::Ok;  // Cancel: an input box cancelled
        QString text;
    };
    ScriptedDialogs& queue(Queued q)
    {
        m_answers.push_back(std::move(q));
        return *this;
    }
    // Records the box, runs what waits for it and takes the next answer of its kind.
    std::optional<Queued> show(const ShownBox& box)
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
    QList<ShownBox> m_shown;
    std::deque<Queued> m_answers;
    std::deque<std::function<void()>> m_during;
};

}  // namespace folio::test
