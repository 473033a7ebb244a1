#include "platform/logic/CommonDialog.h"
#include "platform/logic/RuntimeError.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QFile>

#include <deque>

using namespace folio;

namespace {

// Answers each dialog from a queue; nothing queued means Cancel.
class QueueBackend final : public CommonDialogBackend {
public:
    std::deque<std::optional<OpenChoice>> files;
    std::optional<FontChoice> font;
    std::optional<ColourValue> colour;
    QList<FileDialogRequest> requests;
    FontChoice fontShown;
    ColourValue colourShown = -1;

    std::optional<OpenChoice> showOpen(const FileDialogRequest& r) override { return next(r); }
    std::optional<QString> showSave(const FileDialogRequest& r) override
    {
        auto c = next(r);
        return c ? std::optional<QString>(c->path) : std::nullopt;
    }
    std::optional<FontChoice> showFont(const QString&, const FontChoice& initial, int, int) override
    {
        fontShown = initial;
        return font;
    }
    std::optional<ColourValue> showColor(const QString&, ColourValue initial) override
    {
        colourShown = initial;
        return colour;
    }

private:
    std::optional<OpenChoice> next(const FileDialogRequest& r)
    {
        requests << r;
        if (files.empty())
            return std::nullopt;
        auto c = files.front();
        files.pop_front();
        return c;
    }
};

}  // namespace

TEST(CommonDialogFilter, DescriptionsKeptAndPatternsSplit)
{
    const auto f = parseFilterString(QStringLiteral(
        "Text files (*.txt)|*.txt|HTML files (*.htm; *.html)|*.htm;*.html| All files (*.*)|*.*"));
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0], (FileFilter{QStringLiteral("Text files (*.txt)"), {QStringLiteral("*.txt")}}));
    EXPECT_EQ(f[1].patterns, (QStringList{QStringLiteral("*.htm"), QStringLiteral("*.html")}));
    EXPECT_EQ(f[2].description, QStringLiteral(" All files (*.*)"));
}

TEST(CommonDialogFiles, CancelRaisesTheCancelErrorOnlyWhenAskedToAndSaveAddsTheDefaultExtension)
{
    QueueBackend backend;
    CommonDialog dlg(&backend);
    dlg.FileName = QStringLiteral("/tmp/start.txt");
    dlg.CancelError = true;
    try {
        dlg.ShowSave();
        FAIL() << "Cancel must raise 32755";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 32755);
    }
    EXPECT_EQ(backend.requests.last().fileName, QStringLiteral("/tmp/start.txt"));
    dlg.CancelError = false;
    EXPECT_NO_THROW(dlg.ShowOpen());
    EXPECT_TRUE(dlg.FileName.isEmpty());

    dlg.DefaultExt = QStringLiteral("txt");
    const std::pair<const char*, const char*> names[] = {
        {"/tmp/x/notes", "/tmp/x/notes.txt"}, {"/tmp/x/page.html", "/tmp/x/page.html"},
        {"/tmp/x.dir/notes", "/tmp/x.dir/notes.txt"}};
    for (const auto& [chosen, taken] : names) {
        backend.files.push_back(OpenChoice{QString::fromLatin1(chosen), false});
        dlg.ShowSave();
        EXPECT_EQ(dlg.FileName, QString::fromLatin1(taken));
    }
}

TEST(CommonDialogFiles, OpenFlagsTellExactlyWhetherTheReadOnlyBoxWasTicked)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.txt"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QueueBackend backend;
    CommonDialog dlg(&backend);
    dlg.Flags = 3;  // left by a font dialog
    backend.files.push_back(OpenChoice{file, false});
    dlg.ShowOpen();
    EXPECT_EQ(dlg.Flags, 0);
    backend.files.push_back(OpenChoice{file, true});
    dlg.ShowOpen();
    EXPECT_EQ(dlg.Flags, 1);
    // A name typed without its extension finds the file that has it.
    dlg.DefaultExt = QStringLiteral("txt");
    backend.files.push_back(OpenChoice{dir.filePath(QStringLiteral("a")), false});
    dlg.ShowOpen();
    EXPECT_EQ(dlg.FileName, file);
}

TEST(CommonDialogFontAndColour, ChoicesLandInThePropertiesAndCancelKeepsThem)
{
    QueueBackend backend;
    CommonDialog dlg(&backend);
    dlg.CancelError = true;
    dlg.FontName = QStringLiteral("Serif");
    dlg.FontSize = 9.75f;
    backend.font = FontChoice{QStringLiteral("Mono"), 14, true, false, true, false};
    dlg.ShowFont();
    EXPECT_EQ(backend.fontShown.name, QStringLiteral("Serif"));
    EXPECT_EQ(dlg.FontName, QStringLiteral("Mono"));
    EXPECT_FLOAT_EQ(dlg.FontSize, 14);
    EXPECT_TRUE(dlg.FontBold);
    EXPECT_TRUE(dlg.FontStrikethru);

    dlg.Color = RGB(1, 2, 3);
    backend.colour.reset();
    EXPECT_THROW(dlg.ShowColor(), RuntimeError);
    EXPECT_EQ(backend.colourShown, RGB(1, 2, 3));
    EXPECT_EQ(dlg.Color, RGB(1, 2, 3));
    backend.colour = RGB(255, 128, 0);
    dlg.ShowColor();
    EXPECT_EQ(dlg.Color, 0x0080FF);
}
