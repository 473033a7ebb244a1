#include "platform/ui/HelpWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace folio {

namespace {
QPointer<HelpWindow> g_window;

QPushButton* button(const QString& caption, const QKeySequence& key, const QString& tip, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(tip + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    auto* shortcut = new QShortcut(key, parent);
    QObject::connect(shortcut, &QShortcut::activated, b, &QPushButton::click);
    return b;
}
}  // namespace

HelpWindow::HelpWindow(const QString& book)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tagwright Folio Help"));

    cmdBack = button(QStringLiteral("&Back"), QKeySequence(Qt::ALT | Qt::Key_Left), QStringLiteral("Back"), this);
    cmdForward = button(QStringLiteral("For&ward"), QKeySequence(Qt::ALT | Qt::Key_Right), QStringLiteral("Forward"),
                        this);
    cmdFind = button(QStringLiteral("&Find"), QKeySequence::Find, QStringLiteral("Find in the help"), this);
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);

    browser = new QTextBrowser(this);
    browser->setAccessibleName(QStringLiteral("Help text"));
    // Links to the web go to the desktop's browser; the book's own links stay here.
    browser->setOpenExternalLinks(true);

    m_findRow = new QWidget(this);
    auto* label = new QLabel(QStringLiteral("&Text:"), m_findRow);
    txtFind = new QLineEdit(m_findRow);
    label->setBuddy(txtFind);
    cmdFindNext = button(QStringLiteral("&Next"), QKeySequence::FindNext, QStringLiteral("Find next"), this);
    cmdFindPrevious = button(QStringLiteral("&Previous"), QKeySequence::FindPrevious, QStringLiteral("Find previous"),
                             this);
    cmdFindNext->setParent(m_findRow);
    cmdFindPrevious->setParent(m_findRow);
    lblFindResult = new QLabel(m_findRow);
    auto* findLayout = new QHBoxLayout(m_findRow);
    findLayout->setContentsMargins(0, 0, 0, 0);
    findLayout->addWidget(label);
    findLayout->addWidget(txtFind, 1);
    findLayout->addWidget(cmdFindNext);
    findLayout->addWidget(cmdFindPrevious);
    findLayout->addWidget(lblFindResult);
    m_findRow->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addWidget(cmdFind);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser, 1);
    layout->addWidget(m_findRow);
    setTabOrder(browser, cmdBack);
    setTabOrder(cmdBack, cmdForward);
    setTabOrder(cmdForward, cmdFind);
    setTabOrder(cmdFind, txtFind);

    connect(cmdBack, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);
    connect(cmdFind, &QPushButton::clicked, this, &HelpWindow::openFind);
    connect(cmdFindNext, &QPushButton::clicked, this, [this] {
        openFind();
        findNext();
    });
    connect(cmdFindPrevious, &QPushButton::clicked, this, [this] {
        openFind();
        findNext(true);
    });
    connect(txtFind, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(txtFind, &QLineEdit::textEdited, lblFindResult, &QLabel::clear);
    connect(browser, &QTextBrowser::sourceChanged, this, [this] {
        if (!browser->documentTitle().isEmpty())
            setWindowTitle(browser->documentTitle());
    });

    browser->setSource(QUrl::fromLocalFile(book));
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1024, 768);
    resize(qMin(760, screen.width() * 9 / 10), qMin(640, screen.height() * 9 / 10));
    browser->setFocus();
}

HelpWindow* HelpWindow::showBook(const QString& book)
{
    if (!g_window)
        g_window = new HelpWindow(book);
    else if (g_window->browser->source().adjusted(QUrl::RemoveFragment) != QUrl::fromLocalFile(book))
        g_window->browser->setSource(QUrl::fromLocalFile(book));
    g_window->setWindowState(g_window->windowState() & ~Qt::WindowMinimized);
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}

HelpWindow* HelpWindow::current()
{
    return g_window;
}

void HelpWindow::openFind()
{
    m_findRow->show();
    if (!txtFind->hasFocus()) {
        txtFind->setFocus();
        txtFind->selectAll();
    }
}

bool HelpWindow::findNext(bool backward)
{
    const QString text = txtFind->text();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser->find(text, flags);
    if (!found) {
        // Round the end of the book and on from the other end.
        const QTextCursor before = browser->textCursor();
        QTextCursor from = before;
        from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        browser->setTextCursor(from);
        found = browser->find(text, flags);
        if (!found)
            browser->setTextCursor(before);
    }
    lblFindResult->setText(found ? QString() : QStringLiteral("Not found"));
    return found;
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc leaves the find row first, then closes the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_findRow->isVisible() && m_findRow->isAncestorOf(focusWidget())) {
            m_findRow->hide();
            browser->setFocus();
        } else {
            close();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace folio
