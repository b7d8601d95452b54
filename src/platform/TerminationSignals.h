// Termination signals (SIGTERM, SIGHUP, SIGINT) as requests to the event loop: the
// handler only writes to a socket, and the event loop then runs the given request once
// per signal. While the object lives it owns those signals; its end gives them back
// their default action.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void()> request);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

private:
    std::function<void()> request_;
    QSocketNotifier *notifier_ = nullptr;
};
