#pragma once
// Fixture for the document window suites: the running program of MainWindowTest plus
// helpers to put files on disk, open them through the File menu and read back what was
// written.
#include "support/MainWindowTest.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"
#include "shared/logic/ErrorReport.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace folio::test {

class DocumentTest : public MainWindowTest {
protected:
    QString put(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            ADD_FAILURE() << "cannot prepare " << name.toStdString();
        return path(name);
    }

    static QByteArray bytesOf(const QString& p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static QString report(int number) { return basModu001::errorReportText(RuntimeError::fromNumber(number)); }
    static void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    frmTf* active() const { return qobject_cast<frmTf*>(main->ActiveForm()); }

    // "&Open an Existing File" with `p` chosen in the open dialog.
    frmTf* open(const QString& p, bool readOnly = false)
    {
        files.choose(p, readOnly);
        main->mnuOef->trigger();
        settle();
        return active();
    }

    // "Open a New &Blank File" with `text` put in it as the user's own (so changed).
    frmTf* blank(const QString& text = QString())
    {
        main->mnuNewBlank->trigger();
        settle();
        if (frmTf* form = active(); form && !text.isEmpty())
            form->txtText01->setText(text);
        return active();
    }

    // A new document holding `text`, not marked changed, with `find` in the find box.
    frmTf* doc(const QString& text, const QString& find = QString())
    {
        frmTf* f = blank(text);
        if (f) {
            f->TextChanged = false;
            f->cboCombo01[0]->setEditText(find);
        }
        return f;
    }
};

}  // namespace folio::test
