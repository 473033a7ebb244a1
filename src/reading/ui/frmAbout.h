#pragma once
#include "reading/ui/ReadingForm.h"

namespace folio {

// The About window: the program's name and version, contacts, terms and known limitations.
class frmAbout : public ReadingForm {
    Q_OBJECT
public:
    explicit frmAbout(Frame& frame);
    void Form_Load() override;

protected:
    Frame::Entry openingEntry() const override;
};

}  // namespace folio
