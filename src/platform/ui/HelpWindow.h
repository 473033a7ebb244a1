#pragma once
// The program's own help viewer: the help book in a window of its own, with its links,
// Back and Forward, and Find. One at a time; asking for it again brings it to the front.
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace folio {

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    // Shows `book` in the help window, opening the window or raising the one already open.
    static HelpWindow* showBook(const QString& book);
    // The window while it is open, else nullptr.
    static HelpWindow* current();

    QTextBrowser* browser = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdForward = nullptr;
    QPushButton* cmdFind = nullptr;
    QLineEdit* txtFind = nullptr;
    QPushButton* cmdFindNext = nullptr;
    QPushButton* cmdFindPrevious = nullptr;
    QLabel* lblFindResult = nullptr;

    // Selects the next (or previous) place of the find text, going round the end of the book;
    // false when the book does not hold it.
    bool findNext(bool backward = false);
    // Shows the find row with the focus in its field.
    void openFind();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit HelpWindow(const QString& book);
    QWidget* m_findRow = nullptr;
};

}  // namespace folio
