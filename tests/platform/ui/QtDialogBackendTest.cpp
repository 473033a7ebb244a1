// The real file, font and colour dialogs, driven as a user drives them: the name typed and the
// read-only box ticked are what the program gets, saving over an existing file asks no
// question of the dialog's own (the program asks its own afterwards), "All" lists every file
// and a typed name is taken as it stands; nothing of them is kept for the next run.
#include "support/WidgetTest.h"

#include "platform/logic/NativeFileName.h"
#include "platform/ui/QtCommonDialogBackend.h"
#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QIntValidator>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

using namespace folio;

namespace {

// Runs `answer` on the next modal dialog of type D once it shows.
template <class D>
void onNextDialog(std::function<void(D*)> answer)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dlg);
        }
    });
    timer->start(10);
}

// Types `name` into the file dialog and presses Enter, or presses Escape for no name. A
// message box of the dialog's own is noted in `asked` and answered No, and the dialog is then
// closed without a choice.
void typeName(QFileDialog* dlg, const QString& name, QString* asked = nullptr)
{
    if (name.isEmpty())
        return QTest::keyClick(dlg, Qt::Key_Escape);
    auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    edit->setText(name);
    QTimer::singleShot(300, dlg, [dlg, asked] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (asked)
                *asked = box->text();
            box->done(QMessageBox::No);
        }
        if (dlg->isVisible())
            dlg->reject();
    });
    QTest::keyClick(edit, Qt::Key_Return);
}

class QtDialogBackendTest : public test::WidgetTest {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }
    QTemporaryDir folder;
    QtCommonDialogBackend backend;
};

}  // namespace

// Each row: the dialog, the name typed (none: Escape), whether the read-only box is ticked,
// and the file chosen, "All" picked with the keyboard first. "*.*" is offered as "*", which
// lists names without an extension too; opening adds the default extension only when the
// name as typed names no file. Saving over an existing file asks nothing of the dialog's own.
TEST_F(QtDialogBackendTest, OpenAndSaveGiveTheTypedFileAndTheReadOnlyBoxOrNothingOnEscape)
{
    for (const char* name : {"README", "Makefile", "notes.txt"})
        QFile(path(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
    const FileDialogRequest request{QStringLiteral("Open a file"), path(QStringLiteral("x.txt")),
                                    parseFilterString(QStringLiteral("Text files (*.txt)|*.txt; *.text;|All|*.*")), QStringLiteral("txt")};
    const struct { bool save; const char* typed; bool tick; const char* chosen; } rows[] = {
        {false, "notes.txt", true, "notes.txt"}, {false, "README", false, "README"}, {false, "notes", false, "notes.txt"},
        {false, "", false, nullptr}, {true, "notes.txt", false, "notes.txt"}, {true, "new", false, "new.txt"},
        {true, "", false, nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.save ? "save " : "open ") + row.typed);
        QString title, asked;
        QStringList filters;
        onNextDialog<QFileDialog>([&](QFileDialog* dlg) {
            title = dlg->windowTitle();
            filters = dlg->nameFilters();
            auto* types = dlg->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            types->setFocus();
            QTest::keyClick(types, Qt::Key_End);
            for (QCheckBox* box : dlg->findChildren<QCheckBox*>())
                box->setChecked(row.tick && box->text() == QLatin1String("Open as &read-only"));
            typeName(dlg, QLatin1String(row.typed), &asked);
        });
        std::optional<OpenChoice> chosen;
        if (!row.save)
            chosen = backend.showOpen(request);
        else if (const auto saved = backend.showSave(request))
            chosen = OpenChoice{*saved};
        test::settle();
        EXPECT_EQ(std::tuple(title, filters, asked),
                  std::tuple(QStringLiteral("Open a file"), QStringList{"Text files (*.txt) (*.txt *.text)", "All (*)"}, QString()));
        EXPECT_EQ(chosen ? chosen->path : QStringLiteral("<nothing>"), row.chosen ? path(QLatin1String(row.chosen)) : QStringLiteral("<nothing>"));
        EXPECT_EQ(chosen && chosen->readOnlyTicked, row.tick);
    }
    // Nothing is remembered between runs: Qt's dialog keeps no folder in the user's settings.
    QSettings settings(QSettings::UserScope, QStringLiteral("QtProject"));
    settings.setFallbacksEnabled(false);
    EXPECT_EQ(settings.allKeys(), QStringList());
}

// Qt shows a name that is not UTF-8, "caf\xE9.txt", as "caf\uFFFD.txt", and so too the name
// "caf\xEF\xBF\xBD.txt". Picked while it is the only file shown so, it comes back with all its
// bytes; beside the look-alike the pick is refused with a message in either dialog, and the
// dialog gives no file.
TEST_F(QtDialogBackendTest, NameShownWithAReplacementCharacterGivesTheOneFileItStandsForOrIsRefused)
{
    const QByteArray dir = QFile::encodeName(folder.path());
    const auto make = [&](const char* name) { ::close(::open((dir + '/' + name).constData(), O_CREAT | O_WRONLY, 0600)); };
    make("caf\xE9.txt");
    const FileDialogRequest request{QStringLiteral("Open a file"), path(QStringLiteral("x.txt")), {}, QStringLiteral("txt")};
    onNextDialog<QFileDialog>([&](QFileDialog* dlg) { typeName(dlg, QStringLiteral("caf\uFFFD.txt")); });
    const std::optional<OpenChoice> opened = backend.showOpen(request);
    EXPECT_EQ(nativeFileName(opened ? opened->path : QString()), dir + "/caf\xE9.txt");
    make("caf\xEF\xBF\xBD.txt");
    for (const bool save : {false, true}) {
        QString asked;
        onNextDialog<QFileDialog>([&](QFileDialog* dlg) { typeName(dlg, QStringLiteral("caf\uFFFD.txt"), &asked); });
        const bool chosen = save ? bool(backend.showSave(request)) : bool(backend.showOpen(request));
        test::settle();
        EXPECT_EQ(std::pair(chosen, asked), std::pair(false, QStringLiteral("More than one file in this folder is shown as \"caf\uFFFD.txt\": their names "
                                        "hold bytes that are not UTF-8 text, and this dialog cannot tell them apart.\n\n"
                                        "Rename the file you mean in a file manager, or open it by dropping it onto the "
                                        "main window or by naming it on the command line.")));
    }
    ::unlink((dir + "/caf\xE9.txt").constData());  // Qt would not find the name to remove it
}

// The font dialog opens on the face a substituted family is shown in, in whole points (9.75
// shows as 10); OK gives back what the user left alone exactly as it was asked for, Cancel
// nothing. The colour dialog gives the colour on OK, nothing on Cancel.
TEST_F(QtDialogBackendTest, FontAndColourDialogsGiveBackWhatTheUserLeftAloneOnOkAndNothingOnCancel)
{
    const FontChoice initial{QStringLiteral("MS Sans Serif"), 9.75f, true, false, true, false};
    const QString shownFamily = QFontInfo(QFont(initial.name)).family();
    ASSERT_NE(shownFamily, initial.name);
    const struct { bool ok; const char* typedSize; float size; } rows[] = {{true, "", 9.75f}, {true, "12", 12}, {false, "", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typedSize);
        QFont opened;
        onNextDialog<QFontDialog>([&](QFontDialog* dlg) {
            opened = dlg->currentFont();
            for (QLineEdit* edit : dlg->findChildren<QLineEdit*>())
                if (*row.typedSize && qobject_cast<const QIntValidator*>(edit->validator())) {
                    edit->selectAll();
                    QTest::keyClicks(edit, QLatin1String(row.typedSize));
                }
            row.ok ? dlg->accept() : dlg->reject();
        });
        const auto font = backend.showFont(QStringLiteral("Font"), initial, 8, 20);
        EXPECT_EQ(std::pair(opened.family(), opened.pointSize()), std::pair(shownFamily, 10));
        FontChoice expected = initial;
        expected.size = row.size;
        EXPECT_EQ(font.value_or(FontChoice{}), row.ok ? expected : FontChoice{});
        onNextDialog<QDialog>([&](QDialog* dlg) { row.ok ? dlg->accept() : dlg->reject(); });
        EXPECT_EQ(backend.showColor(QStringLiteral("Colour"), RGB(1, 2, 3)), row.ok ? std::optional<ColourValue>(RGB(1, 2, 3)) : std::nullopt);
    }
}

// The real message box: its buttons left to right in the order named, the default as asked (a
// number past the last meaning the last), Esc answering Cancel, else No, else Abort, else the
// only button; CR LF shown as a line break. The input box gives the text on OK, none on Cancel.
TEST_F(QtDialogBackendTest, MessageBoxesShowTheirButtonsInOrderAndEscAnswersTheSafeOne)
{
    QtDialogs real;
    using A = MsgAnswer;
    const struct { MsgButtons buttons; int defaultButton; const char* shown; A onEnter, onEscape; } rows[] = {
        {MsgButtons::OkOnly, 1, "OK*", A::Ok, A::Ok},
        {MsgButtons::AbortRetryIgnore, 3, "Abort Retry Ignore*", A::Ignore, A::Abort},
        {MsgButtons::YesNoCancel, 3, "Yes No Cancel*", A::Cancel, A::Cancel},
        {MsgButtons::YesNo, 2, "Yes No*", A::No, A::No},
        {MsgButtons::RetryCancel, 5, "Retry Cancel*", A::Cancel, A::Cancel},
    };
    for (const auto& row : rows) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            SCOPED_TRACE(std::string(row.shown) + (key == Qt::Key_Return ? " Enter" : " Esc"));
            QStringList seen;
            onNextDialog<QMessageBox>([&](QMessageBox* box) {
                QList<QAbstractButton*> buttons = box->buttons();
                std::sort(buttons.begin(), buttons.end(),
                          [](QAbstractButton* a, QAbstractButton* b) { return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x(); });
                QStringList names;
                for (QAbstractButton* b : buttons)
                    names << b->text().remove(QLatin1Char('&')) + (b == box->defaultButton() ? "*" : "");
                seen << names.join(' ') << box->windowTitle() << box->text() << QString::number(box->icon());
                QTest::keyClick(box, key);
            });
            const A answer = real.msgBox(MsgBoxRequest{QStringLiteral("one\r\ntwo"), row.buttons, MsgIcon::Exclamation,
                                                       row.defaultButton, QStringLiteral("Asked")});
            EXPECT_EQ(seen, QStringList({QLatin1String(row.shown), "Asked", "one\ntwo", QString::number(QMessageBox::Warning)}));
            EXPECT_EQ(answer, key == Qt::Key_Return ? row.onEnter : row.onEscape);
        }
    }
    // The close box answers as Esc does.
    onNextDialog<QMessageBox>([](QMessageBox* box) { box->close(); });
    EXPECT_EQ(real.msgBox(MsgBoxRequest{QStringLiteral("?"), MsgButtons::AbortRetryIgnore}), A::Abort);
    for (const bool ok : {true, false}) {
        onNextDialog<QInputDialog>([ok](QInputDialog* dlg) {
            EXPECT_EQ(std::pair(dlg->labelText(), dlg->textValue()), std::pair(QStringLiteral("a\nb"), QStringLiteral("given")));
            dlg->setTextValue(QStringLiteral("typed"));
            ok ? dlg->accept() : dlg->reject();
        });
        EXPECT_EQ(real.inputBox(QStringLiteral("a\r\nb"), QStringLiteral("Title"), QStringLiteral("given")), ok ? QStringLiteral("typed") : QString());
    }
}
