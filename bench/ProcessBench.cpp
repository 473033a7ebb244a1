// Figures that need processes of their own: start-up to the intro window shown, next to a
// bare Qt window's start-up; peak resident memory after opening a file, next to the floor.
#include "BenchFigures.h"
#include "BenchFiles.h"

#include "BenchSession.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace folio::bench {

namespace {

long long monotonicNanoseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

struct Run {
    long long startedNs = 0;
    std::string output;
    bool ok = false;
};

// Starts `argv[0]` with `argv`, collects its standard output and waits for it to end.
Run runProcess(std::vector<std::string> args)
{
    Run run;
    int fds[2];
    if (pipe(fds) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    // Qt's start-up notes on the offscreen platform are not part of any figure.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    run.startedNs = monotonicNanoseconds();
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return run;
    }
    char buffer[4096];
    ssize_t got;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0)
        run.output.append(buffer, size_t(got));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

// The number after `key` in the output, or -1.
long long valueAfter(const std::string& output, const char* key)
{
    const auto at = output.find(key);
    if (at == std::string::npos)
        return -1;
    return std::atoll(output.c_str() + at + std::strlen(key));
}

double startUpSeconds(const char* program)
{
    const Run run = runProcess({program});
    const long long shown = valueAfter(run.output, "shown ");
    if (!run.ok || shown < run.startedNs)
        return -1;
    return double(shown - run.startedNs) / 1e9;
}

void StartUp(benchmark::State& state)
{
    // One unmeasured start of each first, so that both programs and their libraries come
    // from the page cache, as they do for every later start.
    static const bool warmed = [] {
        startUpSeconds(FOLIO_START_PROGRAM);
        startUpSeconds(FOLIO_START_BARE);
        return true;
    }();
    (void)warmed;
    for (auto _ : state) {
        double ours = 0, bare = 0;
        runPair([&] { ours = startUpSeconds(FOLIO_START_PROGRAM); }, [&] { bare = startUpSeconds(FOLIO_START_BARE); });
        if (ours <= 0 || bare <= 0) {
            state.SkipWithError("a start-up process failed");
            return;
        }
        state.SetIterationTime(ours);
        record(state, ours, bare);
    }
}

double peakBytes(const char* mode, const QString& path)
{
    const Run run = runProcess({FOLIO_PEAK_MEMORY, mode, path.toStdString()});
    return run.ok ? double(valueAfter(run.output, "peak ")) : -1;
}

void PeakMemory(benchmark::State& state, FileShape shape)
{
    const QString path = benchFile(shape);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        double ours = 0, floor = 0;
        runPair([&] { ours = peakBytes("program", path); },
                [&] { floor = peakBytes(shape.utf8 ? "floor-utf8" : "floor", path); });
        if (ours <= 0 || floor <= 0) {
            state.SkipWithError("a memory process failed");
            return;
        }
        state.SetIterationTime(secondsSince(start));
        record(state, ours, floor);
    }
}

}  // namespace

BENCHMARK(StartUp)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PeakMemory, crlf_10mb, FileShape{LineEnd::CrLf, 10})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PeakMemory, crlf_50mb, FileShape{LineEnd::CrLf, 50})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PeakMemory, utf8_10mb, FileShape{LineEnd::CrLf, 10, false, true})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PeakMemory, utf8_50mb, FileShape{LineEnd::CrLf, 50, false, true})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PeakMemory, single_5mb, FileShape{LineEnd::CrLf, 5, true})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace folio::bench
