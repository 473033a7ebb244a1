#include "platform/logic/CommonDialog.h"
#include "platform/logic/RuntimeError.h"
#include "support/ScriptedCommonDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace folio;

// Cancel raises 32755 only when asked to; a file name without an extension takes the default
// one on saving, and on opening finds the file that has it; the open flags tell exactly
// whether the read-only box was ticked.
TEST(CommonDialog, FileDialogsCancelNamesAndFlags)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.txt"));
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    test::ScriptedCommonDialog backend;
    CommonDialog dlg(&backend);
    dlg.FileName = QStringLiteral("/tmp/start.txt");
    dlg.CancelError = true;
    backend.cancel();
    EXPECT_THAT([&] { dlg.ShowSave(); },
                testing::Throws<RuntimeError>(testing::Property(&RuntimeError::number, 32755)));
    EXPECT_EQ(backend.shown().last().file.fileName, QStringLiteral("/tmp/start.txt"));
    dlg.CancelError = false;
    backend.cancel();
    EXPECT_NO_THROW(dlg.ShowOpen());
    EXPECT_TRUE(dlg.FileName.isEmpty());

    dlg.DefaultExt = QStringLiteral("txt");
    const std::pair<const char*, const char*> names[] = {
        {"/tmp/x/notes", "/tmp/x/notes.txt"}, {"/tmp/x/page.html", "/tmp/x/page.html"},
        {"/tmp/x.dir/notes", "/tmp/x.dir/notes.txt"}};
    for (const auto& [chosen, taken] : names) {
        backend.choose(QString::fromLatin1(chosen));
        dlg.ShowSave();
        EXPECT_EQ(dlg.FileName, QString::fromLatin1(taken));
    }
    dlg.Flags = 3;  // left by a font dialog
    backend.choose(dir.filePath(QStringLiteral("a")), false).choose(file, true);
    dlg.ShowOpen();
    EXPECT_EQ(dlg.FileName, file);
    EXPECT_EQ(dlg.Flags, 0);
    dlg.ShowOpen();
    EXPECT_EQ(dlg.Flags, 1);
}
