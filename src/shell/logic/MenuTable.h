#pragma once
// The main window's menu bar as data: every entry in order with its control name, its
// caption ("&" marks the access key, "-" is a separator) and its depth (0 for the menus of
// the bar itself). An entry followed by deeper entries is a menu of its own.
#include <QLatin1StringView>
#include <span>

namespace folio {

struct MenuEntryDef {
    const char* name;
    const char* caption;
    int level;
};

std::span<const MenuEntryDef> menuTable();

inline bool isSeparator(const MenuEntryDef& e)
{
    return QLatin1StringView(e.caption) == QLatin1StringView("-");
}

// Captions the program sets at run time.
inline constexpr const char* kHideFindCaption = "Hide Fi&nd Dialogue";
inline constexpr const char* kShowFindCaption = "Show Fi&nd Dialogue";

}  // namespace folio
