#include "colour/logic/ToolHelp.h"

namespace folio::colour {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString colourToolHelpText()
{
    return QStringLiteral("Colour Picker -- ") + kCrLf
        + QStringLiteral("You can move the indicator on any one of the scroll bars and see how the shades of "
                         "colour change. "
                         "You can see corresponding values of RGB() colour function also, beside respective "
                         "colour boxes. ")
        + kCrLf + kCrLf
        + QStringLiteral("You can save the values and names of your favourite colour shades in a text file or a "
                         "CSV database file, for reference & ready retrieval during editing. "
                         "A sample file MyShades.csv is provided with the distribution set. The data fields in "
                         "sequence are -- Your choice name, R value, G value, B value, HTML value, HTML name of "
                         "colour")
        + kCrLf + kCrLf + kCrLf + QStringLiteral("ASCII Concept -- ") + kCrLf
        + QStringLiteral("Choose any one option button and do the needful, to know more about elements of the "
                         "ASCII concept. In case of continuous loop, follow the instructions on screen.");
}

}  // namespace folio::colour
