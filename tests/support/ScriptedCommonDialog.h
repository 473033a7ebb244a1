#pragma once
// A test double for the file, font and colour dialogs: answers from a queue and records
// what each dialog was shown with.
#include "platform/logic/CommonDialog.h"

#include <QList>

#include <deque>
#include <variant>

namespace folio::test {

class ScriptedCommonDialog final : public CommonDialogBackend {
public:
    struct Cancel {};
    using Answer = std::variant<Cancel, OpenChoice, QString, FontChoice, ColourValue>;

    ScriptedCommonDialog& choose(const QString& path, bool readOnly = false)  // open or save
    {
        return queue(OpenChoice{path, readOnly});
    }
    ScriptedCommonDialog& chooseFont(const FontChoice& font) { return queue(font); }
    ScriptedCommonDialog& chooseColor(ColourValue colour) { return queue(colour); }
    ScriptedCommonDialog& cancel() { return queue(Cancel{}); }

    enum class Kind { Open, Save, Font, Color };
    struct Shown {
        Kind kind;
        FileDialogRequest file;     // open and save
        QString title;
        FontChoice font;            // font
        int minSize = 0, maxSize = 0;
        ColourValue colour = 0;     // colour
    };
    const QList<Shown>& shown() const { return m_shown; }
    int pendingAnswers() const { return int(m_answers.size()); }

    std::optional<OpenChoice> showOpen(const FileDialogRequest& request) override;
    std::optional<QString> showSave(const FileDialogRequest& request) override;
    std::optional<FontChoice> showFont(const QString& title, const FontChoice& initial, int minSize,
                                       int maxSize) override;
    std::optional<ColourValue> showColor(const QString& title, ColourValue initial) override;

private:
    ScriptedCommonDialog& queue(Answer a)
    {
        m_answers.push_back(std::move(a));
        return *this;
    }
    // Records the dialog and takes the next answer: a T, or nothing for a Cancel.
    template <class T>
    std::optional<T> take(const Shown& shown);
    QList<Shown> m_shown;
    std::deque<Answer> m_answers;
};

}  // namespace folio::test
