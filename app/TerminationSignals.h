#pragma once
// SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C, a closed terminal)
// end the program through its message loop, so that it leaves as after its
// own Exit: the data files still being written reach the disk and the data
// folder and the one-copy lock are let go. A second signal ends it at once.

#include <QObject>
#include <functional>

class QSocketNotifier;

class TerminationSignals : public QObject
{
public:
    // onSignal runs on the UI thread; call with QApplication made.
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals() override;

private:
    std::function<void()> m_onSignal;
    QSocketNotifier* m_pNotifier = nullptr;
};
