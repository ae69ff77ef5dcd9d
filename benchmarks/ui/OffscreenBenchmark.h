#pragma once

// What the widget benchmarks share: widgets on the offscreen platform, without its chatter, and
// the run of the benchmarks a program registers.

#include <benchmark/benchmark.h>

#include <QString>
#include <QtGlobal>

#include <cstdlib>

namespace offscreenbenchmark {

// The offscreen platform says on every shown window or popup that it cannot size, raise or grab
// it; that is no news here.
inline void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

// Before the application is made: the offscreen platform unless another one is asked for.
inline void useQuietOffscreenPlatform()
{
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quiet);
}

// Runs the registered benchmarks as asked on the command line; answers the exit status.
inline int runRegistered(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace offscreenbenchmark
