// Runs every benchmark in one process with a toolkit application for the
// windows, then prints each figure as a ratio to its anchor.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <cstdio>

#include "RatioReporter.h"

namespace {

// The offscreen platform warns on every raise; only real faults are worth showing.
void QuietWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietWarnings);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    using Bound = RatioReporter::Bound;
    RatioReporter reporter({
        {"per-key reads / our load (full file)", "BM_PerKeyReads_Full", "BM_LangIniLoad_Full", Bound::AtLeast, 1000},
        {"our load / inih (full file)", "BM_LangIniLoad_Full", "BM_Inih_Full", Bound::AtMost, 1.5},
        {"advanced window opening / its recorder calls", "BM_MoreSettings_Open",
         "BM_MoreSettings_OpenRecorderCalls", Bound::None, 0},
        {"advanced window opening: own cost (outside recorder calls)", "BM_MoreSettings_Open",
         "BM_MoreSettings_OpenRecorderCalls", Bound::Difference, 0},
        {"Set and return / its recorder calls", "BM_MoreSettings_SetAndReturn",
         "BM_MoreSettings_SetRecorderCalls", Bound::None, 0},
        {"Set and return: own cost (outside recorder calls)", "BM_MoreSettings_SetAndReturn",
         "BM_MoreSettings_SetRecorderCalls", Bound::Difference, 0},
        {"start to login window shown / minimal Qt dialog: time", "BM_Start_LoginWindow", "BM_Start_MinimalDialog",
         Bound::AtMost, 1.3},
        {"start to login window shown / minimal Qt dialog: peak memory", "BM_Start_LoginWindow:peak_rss_kB",
         "BM_Start_MinimalDialog:peak_rss_kB", Bound::AtMost, 1.2},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
