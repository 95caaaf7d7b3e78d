// A Qt plugin for start-up measurements, loaded into any Qt program through
// QT_QPA_GENERIC_PLUGINS. When the program's first window is exposed it writes
// the monotonic clock and the resident memory to $VESTREL_PROBE_OUT and ends
// the process at once, so program and bare window are measured the same way.

#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace
{

long ResidentKilobytes()
{
    long size = 0;
    long resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r"))
    {
        if (std::fscanf(f, "%ld %ld", &size, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

class FirstExposeWatcher : public QObject
{
public:
    explicit FirstExposeWatcher(QObject* app) : QObject(app) { app->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Expose)
            return false;
        auto* window = qobject_cast<QWindow*>(watched);
        if (window == nullptr || !window->isExposed())
            return false;
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const long rss = ResidentKilobytes();
        if (const char* out = std::getenv("VESTREL_PROBE_OUT"))
            if (std::FILE* f = std::fopen(out, "w"))
            {
                std::fprintf(f, "%lld %ld %s\n",
                             static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, rss,
                             qPrintable(window->objectName()));
                std::fclose(f);
            }
        ::_exit(0); // what comes after start-up is not measured
    }
};

} // namespace

class StartupProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "StartupProbe.json")

public:
    QObject* create(const QString&, const QString&) override
    {
        return new FirstExposeWatcher(QCoreApplication::instance());
    }
};

#include "StartupProbe.moc"
