#pragma once
// Captions mark their access keys with '&' ("E&xit"); "&&" stands for a plain '&'.
#include <QString>

namespace folio::accessKeys {

// The caption as it is read out: every marker gone, "&&" made one '&'. A '&' at the very
// end marks nothing and stays.
QString plainCaption(const QString& caption);

// How many access keys the caption marks.
int markerCount(const QString& caption);

}  // namespace folio::accessKeys
