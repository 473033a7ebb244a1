#pragma once
// A command button whose caption wraps onto as many lines as its height allows; the
// caption keeps its "&" access key.
#include <QPushButton>

namespace folio {

class WrapButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace folio
