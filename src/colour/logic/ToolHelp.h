#pragma once
// The text of the colour tool's "He&lp" button.
#include <QString>

namespace folio::colour {

QString colourToolHelpText();

}  // namespace folio::colour
