// One peak-memory figure per process: opens a file, waits for its first paint and prints the
// process's peak resident memory in bytes.
//   folio_peak_memory program <file>   the program: main window, "&Open an Existing File"
//   folio_peak_memory floor <file>     a bare QPlainTextEdit: read, decode, setPlainText
//   folio_peak_memory floor-utf8 <file> the same, decoding the file as UTF-8
#include "BenchSession.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"
#include "shell/ui/Application.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const bool program = std::strcmp(argv[1], "program") == 0;
    const QString path = QString::fromLocal8Bit(argv[2]);
    folio::bench::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (program) {
        folio::prepareApplication(app);
        auto& session = folio::bench::Session::get();
        folio::frmTf* form = session.open(path);
        folio::bench::waitForPaint(form->txtText01->viewport());
        folio::bench::waitForLoad(form->txtText01);
    } else {
        auto* host = new QWidget;
        host->resize(800, 600);
        host->show();
        auto* edit = new QPlainTextEdit(host);
        edit->setGeometry(0, 0, 600, 400);
        {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                return 3;
            const QByteArray bytes = file.readAll();
            edit->setPlainText(std::strcmp(argv[1], "floor-utf8") == 0 ? QString::fromUtf8(bytes)
                                                                       : QString::fromLatin1(bytes));
        }
        edit->show();
        folio::bench::waitForPaint(edit->viewport());
    }
    // VmHWM, not getrusage(): the kernel carries the launching process's peak over into
    // ru_maxrss across exec, and the benchmark program holds documents of its own.
    long long peakKb = -1;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                peakKb = line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    if (peakKb <= 0)
        return 4;
    std::printf("peak %lld\n", peakKb * 1024);
    std::fflush(stdout);
    std::_Exit(0);
}
