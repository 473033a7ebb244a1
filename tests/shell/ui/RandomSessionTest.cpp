// A long random session: a seeded stream of user actions over the whole program (every menu
// entry the user can reach, typing and keys in the focused control, clicks on the controls and
// scroll bars of the active window, opening, activating and closing every kind of window,
// every dialog answered at random), with the program's invariants checked after every action.
//
// FOLIO_RANDOM_ACTIONS sets the number of actions (a short run by default) and
// FOLIO_RANDOM_SEED the seed; a failure names both and the actions that led to it.
// FOLIO_RANDOM_TRACE=1 prints every action as it is done.
#include "support/MainWindowTest.h"

#include "document/logic/SaveTexts.h"
#include "document/ui/frmTf.h"
#include "platform/ui/Help.h"
#include "platform/ui/TextBox.h"
#include "shell/logic/MenuTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>

#include <deque>
#include <functional>
#include <random>

using namespace folio;

namespace {

using Rng = std::mt19937_64;
int pick(Rng& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
bool chance(Rng& rng, int percent) { return pick(rng, 100) < percent; }
template <class List>
auto pickFrom(Rng& rng, const List& list) { return list[pick(rng, int(std::size(list)))]; }

const QStringList kWords = {"a", "Tag", "<p>", "12", "#FF00aa", "-7", "255", "300", "x y z", "\u00e9\u00a0\u00ff",
                            "\u20ac", "\u4e2d", "  ", "line", "A"};

// What "&HTML Tags" becomes as a window becomes active or a document takes a file's name:
// available for a web page or an untitled document, unavailable for any other window; a style
// sheet leaves it as it was.
std::optional<bool> htmlMenuFor(const frmTf* doc)
{
    const QString kind = doc ? doc->FileExt.toLower() : QStringLiteral("not a document");
    if (kind == QLatin1String("css"))
        return std::nullopt;
    return QStringList{QString(), "htm", "html", "shtml"}.contains(kind);
}

QString nameOf(QObject* o)
{
    return o ? QLatin1String(o->metaObject()->className()) + u' ' + o->objectName() : QStringLiteral("none");
}

// The session answers every dialog itself, at random, with what the dialog offers; file
// dialogs only ever name places inside the test's folder: names that exist, new names, names
// without an extension, a folder, a missing folder.
class RandomSessionTest : public test::MainWindowTest, public Dialogs, public CommonDialogBackend {
protected:
    void SetUp() override
    {
        help::setUrlOpenerForTesting([](const QUrl&) { return true; });
        MainWindowTest::SetUp();
        Dialogs::install(this);
        watchMainWindow();
        QByteArray big;
        for (int i = 0; i < 2000; ++i)
            big += "row " + QByteArray::number(i) + " \x80\xA0\xFF\r";
        QDir(folder.path()).mkdir(QStringLiteral("sub"));
        const std::pair<const char*, QByteArray> files[] = {
            {"a.txt", "first\r\nsecond line\r\nthird"}, {"b.htm", "<html>\r\n<body>\r\n</body>\r\n</html>\r\n"},
            {"d.css", "p { color: red; }\n"}, {"sub/g.txt", "lf\nonly\nlines\n"}, {"read-only.txt", "do not change\r\n"},
            {"MyShades.csv", "Sky,135,206,235,#87CEEB,skyblue\r\nTomato,255,99,71,#FF6347,tomato\r\n"}, {"big.txt", big}};
        for (const auto& [name, bytes] : files) {
            QFile f(path(QLatin1String(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        QFile::setPermissions(path(QStringLiteral("read-only.txt")), QFileDevice::ReadOwner);
    }

    void TearDown() override
    {
        if (main)
            main->CommonDialog1.setBackend(&files);
        MainWindowTest::TearDown();
        Dialogs::install(nullptr);
        help::setUrlOpenerForTesting(nullptr);
    }

    MsgAnswer msgBox(const MsgBoxRequest& request) override
    {
        // No name chosen here is blank, and a cancelled save dialog asks nothing more.
        EXPECT_TRUE(request.prompt != document::kNoFileNameText) << "a save was refused for want of a name";
        using A = MsgAnswer;
        static const QList<A> offered[] = {{A::Ok}, {A::Ok, A::Cancel}, {A::Abort, A::Retry, A::Ignore},
                                           {A::Yes, A::No, A::Cancel}, {A::Yes, A::No}, {A::Retry, A::Cancel}};
        return pickFrom(rng, offered[int(request.buttons)]);
    }
    QString inputBox(const QString&, const QString&, const QString& defaultText) override
    {
        const int k = pick(rng, 4);
        return k == 0 ? QString() : k == 1 ? defaultText : pickFrom(rng, kWords);  // 0: Cancel
    }
    std::optional<OpenChoice> showOpen(const FileDialogRequest&) override
    { return chance(rng, 15) ? std::nullopt : std::optional(OpenChoice{randomPath(), chance(rng, 20)}); }
    std::optional<QString> showSave(const FileDialogRequest&) override
    { return chance(rng, 15) ? std::nullopt : std::optional(randomPath()); }
    std::optional<FontChoice> showFont(const QString&, const FontChoice&, int minSize, int maxSize) override
    {
        const QString name = pickFrom(rng, QStringList{"DejaVu Sans", "Courier New", "Nowhere Font"});
        const auto size = float(minSize + pick(rng, std::max(1, maxSize - minSize + 1)));
        return chance(rng, 30) ? std::nullopt : std::optional(FontChoice{name, size, chance(rng, 50)});
    }
    std::optional<ColourValue> showColor(const QString&, ColourValue) override
    { return chance(rng, 30) ? std::nullopt : std::optional(ColourValue(pick(rng, 0x1000000))); }
    QString randomPath()
    {
        static const QStringList names = {"a.txt", "b.htm", "c.html", "d.css", "e.csv", "F.SHTML", "noext",
                                          "MyShades.csv", "myshades.csv", "sub/g.txt", "sub", "missing/h.txt",
                                          "UPPER.HTM", "read-only.txt", "new.txt", "big.txt"};
        for (;;) {  // appending again and again must not make files without end
            const QString p = path(pickFrom(rng, names));
            if (QFileInfo(p).size() < 100 * 1024)
                return p;
        }
    }

    // Takes over the file dialogs and follows the activations the program acts on, to know
    // what "&HTML Tags" must be while a style sheet, which leaves the menu alone, is the
    // active document.
    void watchMainWindow()
    {
        main->CommonDialog1.setBackend(this);
        lastActivated = nullptr;
        expectedHtml = main->mnuHtml->isEnabled();
        shadesDoc.clear();
        QObject::connect(main->mdiArea(), &QMdiArea::subWindowActivated, main, [this](QMdiSubWindow* w) {
            if (w && w != lastActivated) {
                lastActivated = w;
                if (auto* form = qobject_cast<ChildForm*>(w); form && !form->isUnloaded())
                    expectedHtml = htmlMenuFor(qobject_cast<frmTf*>(form)).value_or(expectedHtml);
            }
        });
    }

    // A control of kind T of the active window that a user can reach, picked at random, or none.
    template <class T>
    T* anyControl(bool focusable = false)
    {
        QList<T*> list;
        if (ChildForm* active = main->ActiveForm())
            for (T* w : active->findChildren<T*>())
                if (w->isVisible() && w->isEnabled() && (!focusable || w->focusPolicy() != Qt::NoFocus))
                    list << w;
        return list.isEmpty() ? nullptr : pickFrom(rng, list);
    }

    const int seed = qEnvironmentVariableIsSet("FOLIO_RANDOM_SEED")
                         ? qEnvironmentVariableIntValue("FOLIO_RANDOM_SEED") : 20240611;
    Rng rng{Rng::result_type(seed)};
    QPointer<QMdiSubWindow> lastActivated;
    QPointer<frmTf> shadesDoc;  // the window the shades command opened last
    bool expectedHtml = false;
    bool shadesCommandRan = false;
};

}  // namespace

TEST_F(RandomSessionTest, RandomActionsOverTheWholeProgramKeepEveryInvariant)
{
    const auto S = Qt::ShiftModifier, C = Qt::ControlModifier, N = Qt::NoModifier;
    const std::pair<Qt::Key, Qt::KeyboardModifier> keys[] = {
        {Qt::Key_Return, N}, {Qt::Key_Backspace, N}, {Qt::Key_Delete, N}, {Qt::Key_Left, S}, {Qt::Key_Up, N},
        {Qt::Key_Down, S}, {Qt::Key_Home, S}, {Qt::Key_A, C}, {Qt::Key_Z, C}, {Qt::Key_Y, C}, {Qt::Key_C, C},
        {Qt::Key_X, C}, {Qt::Key_V, C}, {Qt::Key_Tab, N}, {Qt::Key_F1, N}, {Qt::Key_Escape, N}, {Qt::Key_PageDown, S}};
    // The user's actions, with their weights; each returns what it did.
    const std::pair<int, std::function<QString()>> actions[] = {
        {4, [&] {  // an entry the user can reach: visible and available, in menus that are available
             QList<QAction*> entries;
             const std::function<void(QWidget*)> walk = [&](QWidget* menu) {
                 for (QAction* a : menu->actions())
                     if (a->isVisible() && a->isEnabled() && !a->isSeparator())
                         a->menu() ? walk(a->menu()) : void(entries << a);
             };
             walk(main->menuBar());
             if (entries.isEmpty())
                 return QStringLiteral("menu: nothing reachable");
             QAction* a = pickFrom(rng, entries);
             shadesCommandRan = a == main->mnuMyShades;
             a->trigger();
             return QStringLiteral("menu \"%1\"").arg(a->text());
         }},
        {5, [&] {  // a word typed, or a key, in the focused control
             QWidget* w = main->ActiveForm() ? main->ActiveForm()->focusWidget() : nullptr;
             if (chance(rng, 60)) {
                 for (const QChar c : w ? pickFrom(rng, kWords) : QString()) {  // the key, or the text of a key
                     if (c.unicode() < 0x80)
                         QTest::keyClick(w, char(c.unicode()));
                     else
                         QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
                 }
                 return QStringLiteral("type into %1").arg(nameOf(w));
             }
             const auto [k, mods] = pickFrom(rng, keys);
             if (w)
                 QTest::keyClick(w, k, mods);
             return QStringLiteral("key %1+%2 in %3").arg(int(mods)).arg(int(k)).arg(nameOf(w));
         }},
        {5, [&] {  // a click on a button of the active window, or into another of its controls
             QWidget* w = chance(rng, 60) ? anyControl<QAbstractButton>() : anyControl<QWidget>(true);
             const QString what = QStringLiteral("click %1").arg(nameOf(w));
             if (auto* b = qobject_cast<QAbstractButton*>(w))
                 QTest::mouseClick(b, Qt::LeftButton);
             else if (w)
                 w->setFocus(Qt::MouseFocusReason);
             return what;
         }},
        {1, [&] {  // a scroll bar of the active window stepped (single, page and end steps)
             QScrollBar* bar = anyControl<QScrollBar>();
             if (bar)
                 bar->triggerAction(QAbstractSlider::SliderAction(1 + pick(rng, 6)));
             return QStringLiteral("scroll bar %1").arg(nameOf(bar));
         }},
        {4, [&] {  // a child window's frame, or now and then the main window's own close box
             if (chance(rng, 3)) {
                 main->close();
                 return QStringLiteral("close the main window");
             }
             if (children().isEmpty())
                 return QStringLiteral("frame: none");
             ChildForm* f = pickFrom(rng, children());
             const QString caption = f->Caption();
             switch (pick(rng, 8)) {
             case 0:
                 // A click on a window's close box makes it the active window first.
                 main->mdiArea()->setActiveSubWindow(f);
                 f->close();
                 return QStringLiteral("close box of %1").arg(caption);
             case 1: f->showMinimized(); return QStringLiteral("minimise %1").arg(caption);
             case 2: f->showMaximized(); return QStringLiteral("maximise %1").arg(caption);
             case 3:
                 f->showNormal();
                 f->resize(100 + pick(rng, 700), 80 + pick(rng, 500));
                 return QStringLiteral("resize %1").arg(caption);
             default: main->mdiArea()->setActiveSubWindow(f); return QStringLiteral("activate %1").arg(caption);
             }
         }},
    };

    const int count = qEnvironmentVariableIsSet("FOLIO_RANDOM_ACTIONS")
                          ? qEnvironmentVariableIntValue("FOLIO_RANDOM_ACTIONS") : 3000;
    std::deque<QString> recent;
    for (int done = 0; done < count; ++done) {
        const int endsBefore = programEnds;
        QHash<frmTf*, QString> captionsBefore;
        for (ChildForm* f : children())
            if (auto* doc = qobject_cast<frmTf*>(f))
                captionsBefore.insert(doc, doc->Caption());
        shadesCommandRan = false;
        int k = pick(rng, 19);
        auto action = std::begin(actions);
        while ((k -= action->first) >= 0)
            ++action;
        recent.push_back(QStringLiteral("#%1 %2").arg(done).arg(action->second()));
        test::settle();
        if (qEnvironmentVariableIsSet("FOLIO_RANDOM_TRACE"))  // a crash takes the recent actions with it
            std::fprintf(stderr, "%s\n", qPrintable(recent.back()));
        if (recent.size() > 25)
            recent.pop_front();

        if (programEnds != endsBefore) {  // the program ended: it is started again, as a user would
            delete main.data();
            main = frmMdimenuform::load();
            watchMainWindow();
            test::settle();
            continue;
        }
        // The window the shades command opened, whatever it is captioned or saved as (one that
        // could not find the file closed at once).
        if (shadesCommandRan) {
            shadesDoc.clear();
            for (ChildForm* f : children())
                if (auto* doc = qobject_cast<frmTf*>(f); doc && !captionsBefore.contains(doc))
                    shadesDoc = doc;
        }
        // A document applies its kind's rule when it becomes active (seen above) and when it
        // takes a file's name: opened, or saved under a new name. A failed opening leaves the
        // menu alone. Having just taken its file's name, it holds what the file holds.
        if (auto* doc = qobject_cast<frmTf*>(main->ActiveForm());
            doc && doc->Caption() != captionsBefore.value(doc, document::kEmptyCaption)) {
            expectedHtml = htmlMenuFor(doc).value_or(expectedHtml);
            EXPECT_FALSE(doc->TextChanged) << "the active document counts as changed as it takes its file's name";
        }
        // The invariants that hold after every action.
        const QList<ChildForm*> open = children();
        EXPECT_EQ(main->openWindowCount(), open.size());
        // Each window of one instance only: at most one open, its entry available while it is closed.
        const std::pair<QAction*, const char*> singles[] = {{main->mnuAbout, "folio::frmAbout"},
            {main->mnuHelp, "folio::frmTuto01"}, {main->mnuTutorialAutorun, "folio::frmTuto02"},
            {main->mnuAC, "folio::frmRgbAscii"}};
        for (const auto& [entry, className] : singles) {
            const auto n = std::count_if(open.cbegin(), open.cend(), [&](ChildForm* f) { return f->inherits(className); });
            EXPECT_LE(n, 1) << className;
            EXPECT_NE(entry->isEnabled(), n > 0) << className;
        }
        // The shades entry is unavailable exactly while the window its command opened is open.
        EXPECT_EQ(main->mnuMyShades->isEnabled(), !shadesDoc || shadesDoc->isUnloaded());
        if (ChildForm* active = main->ActiveForm()) {
            // A style sheet leaves the menu as the windows before it left it.
            const auto* doc = qobject_cast<frmTf*>(active);
            EXPECT_TRUE(!htmlMenuFor(doc) || main->mnuHtml->isEnabled() == expectedHtml) << active->Caption().toStdString();
            const char* find = doc && doc->fraFrame01->isHidden() ? kShowFindCaption : kHideFindCaption;
            EXPECT_TRUE(!doc || main->mnuFindOnOff->text() == QLatin1String(find)) << find;
        }
        if (HasFailure()) {
            FAIL() << "seed " << seed << ", action " << done << "; last actions:\n"
                   << QStringList(recent.begin(), recent.end()).join(QLatin1Char('\n')).toStdString();
        }
        // Documents stay small enough that the session stays quick.
        for (ChildForm* f : children())
            if (auto* doc = qobject_cast<frmTf*>(f); doc && doc->txtText01->TextLength() > 30000) {
                QTest::keyClick(doc->txtText01, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(doc->txtText01, Qt::Key_Delete);
            }
    }
}
