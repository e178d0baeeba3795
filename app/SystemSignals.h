#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace quintrel {

/// Turns SIGTERM and SIGHUP (logging out, `kill`) into a call of `onSignal` from the event
/// loop, so the program can close down as its window does instead of dying with unsaved
/// places. The handler only writes a byte to a pipe the event loop watches: nothing that
/// is unsafe inside a signal handler runs there. One instance at a time; the default
/// handling comes back when it is destroyed.
class SystemSignals : public QObject {
  public:
    explicit SystemSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~SystemSignals() override;
    SystemSignals(const SystemSignals&) = delete;
    SystemSignals& operator=(const SystemSignals&) = delete;

  private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace quintrel
