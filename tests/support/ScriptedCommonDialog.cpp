#include "support/ScriptedCommonDialog.h"

#include <gtest/gtest.h>

namespace folio::test {

ScriptedCommonDialog& ScriptedCommonDialog::choose(const QString& path, bool readOnly)
{
    m_answers.push_back(OpenChoice{path, readOnly});
    return *this;
}

ScriptedCommonDialog& ScriptedCommonDialog::chooseFont(const FontChoice& font)
{
    m_answers.push_back(font);
    return *this;
}

ScriptedCommonDialog& ScriptedCommonDialog::chooseColor(ColourValue colour)
{
    m_answers.push_back(colour);
    return *this;
}

ScriptedCommonDialog& ScriptedCommonDialog::cancel()
{
    m_answers.push_back(Cancel{});
    return *this;
}

ScriptedCommonDialog::Answer ScriptedCommonDialog::next(const char* what)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected " << what << " dialog";
        return Cancel{};
    }
    Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

std::optional<OpenChoice> ScriptedCommonDialog::showOpen(const FileDialogRequest& request)
{
    m_shown << Shown{Kind::Open, request, request.title, {}, 0, 0, 0};
    const Answer a = next("open");
    if (const auto* c = std::get_if<OpenChoice>(&a))
        return *c;
    return std::nullopt;
}

std::optional<QString> ScriptedCommonDialog::showSave(const FileDialogRequest& request)
{
    m_shown << Shown{Kind::Save, request, request.title, {}, 0, 0, 0};
    const Answer a = next("save");
    if (const auto* c = std::get_if<OpenChoice>(&a))
        return c->path;
    return std::nullopt;
}

std::optional<FontChoice> ScriptedCommonDialog::showFont(const QString& title, const FontChoice& initial,
                                                         int minSize, int maxSize)
{
    m_shown << Shown{Kind::Font, {}, title, initial, minSize, maxSize, 0};
    const Answer a = next("font");
    if (const auto* f = std::get_if<FontChoice>(&a))
        return *f;
    return std::nullopt;
}

std::optional<ColourValue> ScriptedCommonDialog::showColor(const QString& title, ColourValue initial)
{
    m_shown << Shown{Kind::Color, {}, title, {}, 0, 0, initial};
    const Answer a = next("colour");
    if (const auto* c = std::get_if<ColourValue>(&a))
        return *c;
    return std::nullopt;
}

}  // namespace folio::test
