#pragma once
// Turns the system's requests to end the program (SIGTERM, SIGHUP, SIGINT)
// into a Qt signal delivered by the event loop, so that the window closes
// the ordinary way and the player's record is written, rather than the
// process dying where it stands.

#include <QObject>

class QSocketNotifier;

namespace velmoran::shell {

class TerminationWatcher final : public QObject {
    Q_OBJECT
public:
    // One per process; a second one, or a system that refuses the handlers,
    // leaves the default behaviour.
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;
    TerminationWatcher(const TerminationWatcher&) = delete;
    TerminationWatcher& operator=(const TerminationWatcher&) = delete;

Q_SIGNALS:
    void terminationRequested();

private:
    void drain();
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace velmoran::shell
