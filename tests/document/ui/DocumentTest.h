#pragma once
// Fixture for the document window suites: the running program of MainWindowTest plus
// helpers to put files on disk, open them through the File menu and read back what was
// written.
#include "support/MainWindowTest.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileDevice>

#include <unistd.h>

namespace folio::test {

class DocumentTest : public MainWindowTest {
protected:
    // Writes `bytes` to the test folder and returns the file's path.
    QString put(const QString& name, const QByteArray& bytes) const
    {
        const QString p = path(name);
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            ADD_FAILURE() << "cannot prepare " << p.toStdString();
        return p;
    }

    static QByteArray bytesOf(const QString& p)
    {
        QFile f(p);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return f.readAll();
    }

    frmTf* active() const { return qobject_cast<frmTf*>(main->ActiveForm()); }

    // "&Open an Existing File" with `p` chosen in the open dialog.
    frmTf* open(const QString& p, bool readOnly = false)
    {
        files.choose(p, readOnly);
        main->mnuOef->trigger();
        settle();
        return active();
    }

    // "Open a New &Blank File" with `text` put in it as the user's own.
    frmTf* blank(const QString& text = QString())
    {
        main->mnuNewBlank->trigger();
        settle();
        frmTf* form = active();
        if (form && !text.isEmpty())
            form->txtText01->setText(text);
        return form;
    }

    // A folder in which no new file can be made: a folder without write permission, or,
    // where permission bits do not bind (the superuser), a system folder that refuses new
    // files to everyone.
    QString unwritableFolder() const
    {
        if (::geteuid() == 0)
            return QStringLiteral("/sys");
        const QString p = path(QStringLiteral("locked"));
        QDir().mkpath(p);
        QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        return p;
    }

    void TearDown() override
    {
        QFile::setPermissions(path(QStringLiteral("locked")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        MainWindowTest::TearDown();
    }
};

}  // namespace folio::test
