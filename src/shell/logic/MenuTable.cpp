#include "shell/logic/MenuTable.h"

namespace folio {

namespace {
// clang-format off
constexpr MenuEntryDef kMenuTable[] = {
    {"mnuFile", "&File", 0},
    {"mnuOef", "&Open an Existing File", 1},
    {"mnuNew", "Create a &New File", 1},
    {"mnuNewBlank", "Open a New &Blank File", 1},
    {"mnuClose", "&Close Active File", 1},
    {"mnuExit", "E&xit", 1},
    {"mnuEdit", "&Edit", 0},
    {"mnuCopy", "&Copy", 1},
    {"mnuCut", "Cu&t", 1},
    {"mnuPaste", "&Paste", 1},
    {"mnuEditDash01", "-", 1},
    {"mnuTabkey", "Insert Ta&b Keystroke", 1},
    {"mnuDateTime", "Insert &Date and Time", 1},
    {"mnuEditDash02", "-", 1},
    {"mnuUppercase", "Make &Uppercase", 1},
    {"mnuLowercase", "Make &Lowercase", 1},
    {"mnuFindOnOff", kHideFindCaption, 1},
    {"mnuSetFont", "Set &Font", 1},
    {"mnuColour", "Set C&olour", 1},
    {"mnuHtml", "&HTML Tags", 0},
    {"mnuWarning", "Warning", 1},
    {"mnuLineBreak", "Line B&reak <br>", 1},
    {"mnuBS", "Insert a Blank Spa&ce", 1},
    {"mnuHyperlink", "Insert &Hyperlink", 1},
    {"mnuImage", "Insert I&mage Tag", 1},
    {"mnuBold", "<&b> Your Text </b>", 1},
    {"mnuUnderline", "<&u> Your Text </u>", 1},
    {"mnuItalic", "<&i> Your Text </i>", 1},
    {"mnuFont", "<&font> Your Text </font>", 1},
    {"mnuAlign", "&Align", 1},
    {"mnuAlignLeft", "align = &left", 2},
    {"mnuAlignCenter", "align = &center", 2},
    {"mnuAlignRight", "align = &right", 2},
    {"mnuAlignTop", "valign = &top", 2},
    {"mnuAlignMiddle", "valign = &middle", 2},
    {"mnuAlignBottom", "align = &bottom", 2},
    {"mnuAlignCenterPair", "<&center> Your Text </center>", 2},
    {"mnuList", "&List", 1},
    {"mnuListOl", "<&ol> Your Text </ol>", 2},
    {"mnuListUl", "<&ul> Your Text </ul>", 2},
    {"mnuListLi", "<l&i> Your Text </li>", 2},
    {"mnuTable", "&Table", 1},
    {"mnuTableBody", "<&table> Your Text </table>", 2},
    {"mnuTableTr", "<t&r> Your Text </t&r>", 2},
    {"mnuTableTd", "<t&d> Your Text </td>", 2},
    {"mnuParagraph", "<&p> Your Text </p>", 1},
    {"mnuDivision", "<&div> Your Text </div>", 1},
    {"mnuWindow", "&Window", 0},
    {"mnuCascade", "Casca&de", 1},
    {"mnuArrange", "Arrange &Icons", 1},
    {"mnuApp", "&Application", 0},
    {"mnuHelp", "&Help", 1},
    {"mnuTutorialHTML", "Tutorial on &HTML Tags", 1},
    {"mnuTutorialAutorun", "Tutorial on &CD Autorun.inf File", 1},
    {"mnuAC", "Colour &Picker", 1},
    {"mnuMyShades", "Open &MyShades.csv", 1},
    {"mnuAbout", "A&bout  Tagwright Folio", 1},
};
// clang-format on
}  // namespace

std::span<const MenuEntryDef> menuTable()
{
    return kMenuTable;
}

}  // namespace folio
