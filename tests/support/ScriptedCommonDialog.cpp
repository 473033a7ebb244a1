#include "support/ScriptedCommonDialog.h"

#include <gtest/gtest.h>

namespace folio::test {

template <class T>
std::optional<T> ScriptedCommonDialog::take(const Shown& shown)
{
    m_shown << shown;
    if (m_answers.empty()) {
        static const char* const kinds[] = {"open", "save", "font", "colour"};
        ADD_FAILURE() << "unexpected " << kinds[int(shown.kind)] << " dialog";
        return std::nullopt;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    if (const auto* c = std::get_if<T>(&a))
        return *c;
    return std::nullopt;
}

std::optional<OpenChoice> ScriptedCommonDialog::showOpen(const FileDialogRequest& request)
{
    return take<OpenChoice>({Kind::Open, request, request.title, {}, 0, 0, 0});
}

std::optional<QString> ScriptedCommonDialog::showSave(const FileDialogRequest& request)
{
    if (const auto c = take<OpenChoice>({Kind::Save, request, request.title, {}, 0, 0, 0}))
        return c->path;
    return std::nullopt;
}

std::optional<FontChoice> ScriptedCommonDialog::showFont(const QString& title, const FontChoice& initial,
                                                         int minSize, int maxSize)
{
    return take<FontChoice>({Kind::Font, {}, title, initial, minSize, maxSize, 0});
}

std::optional<ColourValue> ScriptedCommonDialog::showColor(const QString& title, ColourValue initial)
{
    return take<ColourValue>({Kind::Color, {}, title, {}, 0, 0, initial});
}

}  // namespace folio::test
