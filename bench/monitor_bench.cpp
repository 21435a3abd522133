// The protocol monitor open through 20 MB of received mail, against the
// baseline of saving the same mail in the store (the least a check does with
// it). Mail arrives as the provider connection reads it: blocks of 64 KB,
// one per turn of the event loop. The counter rss_mb is the process's
// resident memory after the run.
//   QT_QPA_PLATFORM=offscreen monitor_bench
#include "extras/monitor/MonitorLog.h"
#include "extras/monitor/gui/DebugForm.h"
#include "mail/ProtocolMonitor.h"
#include "platform/Clock.h"
#include "platform/Messenger.h"
#include "settings/IniSettingsStore.h"
#include "store/MessageStore.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBlockBytes = 64 * 1024;
constexpr int kMailBytes = 20 * 1024 * 1024;

// Base64 body lines of 76 characters, as an attachment travels.
QByteArray block(int index)
{
    QByteArray line(76, 'A');
    for (int i = 0; i < 76; ++i)
        line[i]
            = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[(index * 7 + i * 13) % 64];
    QByteArray bytes;
    while (bytes.size() + 78 <= kBlockBytes)
        bytes += line + "\r\n";
    return bytes;
}

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * 4096 / (1024 * 1024);
}

void BM_SaveMailBaseline(benchmark::State &state)
{
    QTemporaryDir dir;
    vesk::StderrMessenger messenger;
    vesk::MessageStore store(dir.path());
    store.createFolders(messenger);
    int n = 0;
    for (auto _ : state) {
        for (int message = 0; message < 2; ++message) {
            QByteArray content;
            for (int i = 0; i < kMailBytes / 2 / kBlockBytes; ++i)
                content += block(i);
            store.saveContent(
                vesk::Box::InBox, QStringLiteral("%1.ID").arg(n++, 17, 10, QLatin1Char('0')), content);
        }
    }
    state.SetBytesProcessed(state.iterations() * kMailBytes);
}

// The log alone, without the window: what is left of the cost when the
// view draws nothing.
void BM_MonitorLogOnly(benchmark::State &state)
{
    vesk::ProtocolMonitor monitor;
    vesk::MonitorLog log;
    monitor.attach([&log](const QString &line) { log.append(line); });
    for (auto _ : state) {
        for (int i = 0; i < kMailBytes / kBlockBytes; ++i) {
            monitor.debug(QString::fromUtf8(block(i)));
            QCoreApplication::processEvents();
        }
    }
    state.SetBytesProcessed(state.iterations() * kMailBytes);
}

void BM_MonitorOpen(benchmark::State &state)
{
    QTemporaryDir dir;
    vesk::ProtocolMonitor monitor;
    vesk::IniSettingsStore settings(dir.filePath(QStringLiteral("vesk.ini")));
    vesk::StderrMessenger messenger;
    vesk::TDebugForm form(monitor, settings, messenger, vesk::SystemClock::instance(), dir.path());
    form.show();
    for (auto _ : state) {
        for (int i = 0; i < kMailBytes / kBlockBytes; ++i) {
            monitor.debug(QString::fromUtf8(block(i)));
            QCoreApplication::processEvents();
        }
    }
    state.SetBytesProcessed(state.iterations() * kMailBytes);
    state.counters["rss_mb"] = residentMb();
}

} // namespace

BENCHMARK(BM_SaveMailBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MonitorLogOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
// Five rounds: 100 MB through the open monitor before rss_mb is read.
BENCHMARK(BM_MonitorOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char **argv)
{
    qputenv(
        "QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
