// The real file dialogs, driven as a user drives them: the name typed and the read-only box
// ticked are what the program gets, and saving over an existing file asks no question of the
// dialog's own (the program asks its own afterwards).
#include "support/WidgetTest.h"

#include "platform/ui/QtCommonDialogBackend.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace folio;

namespace {

struct Answer {
    explicit Answer(QString typed = {}, bool tick = false) : name(std::move(typed)), tickReadOnly(tick) {}
    QString name;             // typed into the name box; empty: Escape
    bool tickReadOnly;
    QString dialogTitle;      // seen when the dialog showed
    QStringList nameFilters;
    QString questionAsked;    // a message box of the dialog's own, closed with No
};

// Answers the next file dialog once it shows.
void answerNextDialog(Answer& answer)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &answer] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        timer->deleteLater();
        timer->stop();
        answer.dialogTitle = dlg->windowTitle();
        answer.nameFilters = dlg->nameFilters();
        if (answer.name.isEmpty()) {
            QTest::keyClick(dlg, Qt::Key_Escape);
            return;
        }
        if (answer.tickReadOnly)
            for (QCheckBox* box : dlg->findChildren<QCheckBox*>())
                if (box->text() == QLatin1String("Open as &read-only"))
                    box->setChecked(true);
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(answer.name);
        QTimer::singleShot(200, dlg, [dlg, &answer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                answer.questionAsked = box->text();
                box->done(QMessageBox::No);
            }
            if (dlg->isVisible())
                dlg->reject();
        });
        QTest::keyClick(edit, Qt::Key_Return);
    });
    timer->start(10);
}

// Closes the next dialog as its OK (accept) or Cancel button would.
void closeNextDialog(bool accept)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, accept] {
        if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            accept ? dlg->accept() : dlg->reject();
        }
    });
    timer->start(10);
}

class QtDialogBackendTest : public test::WidgetTest {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }
    QTemporaryDir folder;
    QtCommonDialogBackend backend;
};

}  // namespace

TEST_F(QtDialogBackendTest, OpenGivesTheTypedFileAndTheReadOnlyBoxOrNothingOnEscape)
{
    QFile f(path(QStringLiteral("page.htm")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const FileDialogRequest request{QStringLiteral("Open a file"), path(QStringLiteral("x.txt")),
                                    parseFilterString(QStringLiteral("Web pages|*.htm;*.html|All|*.*")), QString()};
    for (const bool tick : {false, true}) {
        Answer answer(path(QStringLiteral("page.htm")), tick);
        answerNextDialog(answer);
        const auto chosen = backend.showOpen(request);
        ASSERT_TRUE(chosen.has_value()) << tick;
        EXPECT_EQ(chosen->path, path(QStringLiteral("page.htm")));
        EXPECT_EQ(chosen->readOnlyTicked, tick);
        EXPECT_EQ(answer.dialogTitle, QStringLiteral("Open a file"));
        EXPECT_EQ(answer.nameFilters, (QStringList{"Web pages (*.htm *.html)", "All (*.*)"}));
    }
    Answer cancel;
    answerNextDialog(cancel);
    EXPECT_FALSE(backend.showOpen(request).has_value());
}

TEST_F(QtDialogBackendTest, SaveOverAnExistingFileAsksNothingOfItsOwn)
{
    QFile f(path(QStringLiteral("old.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const FileDialogRequest request{QStringLiteral("Save this file as"), QString(), {}, QString()};
    Answer answer(path(QStringLiteral("old.txt")));
    answerNextDialog(answer);
    const auto chosen = backend.showSave(request);
    EXPECT_EQ(answer.questionAsked, QString());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, path(QStringLiteral("old.txt")));
    EXPECT_EQ(answer.dialogTitle, QStringLiteral("Save this file as"));
    Answer cancel;
    answerNextDialog(cancel);
    EXPECT_FALSE(backend.showSave(request).has_value());
}

TEST_F(QtDialogBackendTest, FontAndColourDialogsGiveTheChoiceOnOkAndNothingOnCancel)
{
    const FontChoice initial{QStringLiteral("DejaVu Sans"), 12, false, false, false, false};
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        closeNextDialog(ok);
        const auto font = backend.showFont(QStringLiteral("Font"), initial, 8, 72);
        ASSERT_EQ(font.has_value(), ok);
        if (font) {
            EXPECT_FLOAT_EQ(font->size, 12);
        }
        closeNextDialog(ok);
        EXPECT_EQ(backend.showColor(QStringLiteral("Colour"), RGB(1, 2, 3)),
                  ok ? std::optional<ColourValue>(RGB(1, 2, 3)) : std::nullopt);
    }
}
