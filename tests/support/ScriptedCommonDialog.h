#pragma once
// A test double for the file, font and colour dialogs: answers from a queue and records
// what each dialog was shown with. A dialog no answer was queued for fails the test.
#include "platform/logic/CommonDialog.h"

#include <QList>

#include <gtest/gtest.h>

#include <deque>
#include <variant>

namespace folio::test {

class ScriptedCommonDialog final : public CommonDialogBackend {
public:
    struct Cancel {};
    using Answer = std::variant<Cancel, OpenChoice, QString, FontChoice, ColourValue>;

    ScriptedCommonDialog& choose(const QString& path, bool readOnly = false) { return queue(OpenChoice{path, readOnly}); }  // open or save
    ScriptedCommonDialog& chooseFont(const FontChoice& font) { return queue(font); }
    ScriptedCommonDialog& chooseColor(ColourValue colour) { return queue(colour); }
    ScriptedCommonDialog& cancel() { return queue(Cancel{}); }

    enum class Kind { Open, Save, Font, Color };
    struct Shown {
        Kind kind;
        FileDialogRequest file{};   // open and save
        QString title{};
        FontChoice font{};          // font
        int minSize = 0, maxSize = 0;
        ColourValue colour = 0;     // colour
    };
    const QList<Shown>& shown() const { return m_shown; }
    int pendingAnswers() const { return int(m_answers.size()); }

    std::optional<OpenChoice> showOpen(const FileDialogRequest& r) override { return take<OpenChoice>({Kind::Open, r, r.title}); }
    std::optional<QString> showSave(const FileDialogRequest& r) override
    {
        const auto c = take<OpenChoice>({Kind::Save, r, r.title});
        return c ? std::optional(c->path) : std::nullopt;
    }
    std::optional<FontChoice> showFont(const QString& title, const FontChoice& initial, int minSize, int maxSize) override
    { return take<FontChoice>({Kind::Font, {}, title, initial, minSize, maxSize}); }
    std::optional<ColourValue> showColor(const QString& title, ColourValue initial) override
    { return take<ColourValue>({Kind::Color, {}, title, {}, 0, 0, initial}); }

private:
    ScriptedCommonDialog& queue(Answer a)
    {
        m_answers.push_back(std::move(a));
        return *this;
    }
    // Records the dialog and takes the next answer: a T, or nothing for a Cancel.
    template <class T>
    std::optional<T> take(const Shown& shown)
    {
        m_shown << shown;
        if (m_answers.empty()) {
            static const char* const kinds[] = {"open", "save", "font", "colour"};
            ADD_FAILURE() << "unexpected " << kinds[int(shown.kind)] << " dialog";
            return std::nullopt;
        }
        const Answer a = m_answers.front();
        m_answers.pop_front();
        const auto* c = std::get_if<T>(&a);
        return c ? std::optional(*c) : std::nullopt;
    }
    QList<Shown> m_shown;
    std::deque<Answer> m_answers;
};

}  // namespace folio::test
