// The benchmark program: Qt on the offscreen platform, prepared as the program prepares
// itself, then Google Benchmark.
#include "BenchFiles.h"
#include "BenchSession.h"

#include "shell/ui/Application.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    folio::bench::useOffscreenPlatform();
    QApplication app(argc, argv);
    folio::prepareApplication(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    folio::bench::removeScratchFolder();
    std::fflush(nullptr);
    // Tearing down documents of tens of megabytes measures nothing.
    std::_Exit(0);
}
