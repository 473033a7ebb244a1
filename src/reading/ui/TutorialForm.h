#pragma once
#include "reading/ui/ReadingForm.h"

namespace folio {

// The two tutorial windows differ only in their caption, text and opening entry.
class TutorialForm : public ReadingForm {
    Q_OBJECT
public:
    void Form_Load() override;

protected:
    explicit TutorialForm(Frame& frame);
    virtual QString tutorialCaption() const = 0;
    // Puts the tutorial text into the text box.
    virtual void FillTutorialText() = 0;
};

class frmTuto01 final : public TutorialForm {
    Q_OBJECT
public:
    explicit frmTuto01(Frame& frame);

protected:
    QString tutorialCaption() const override;
    void FillTutorialText() override;
    Frame::Entry openingEntry() const override;  // "&Help" opens this tutorial
};

class frmTuto02 final : public TutorialForm {
    Q_OBJECT
public:
    explicit frmTuto02(Frame& frame);

protected:
    QString tutorialCaption() const override;
    void FillTutorialText() override;
    Frame::Entry openingEntry() const override;
};

}  // namespace folio
