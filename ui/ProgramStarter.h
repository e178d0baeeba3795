#pragma once

#include <QString>

namespace quintrel {

/// Starts another program as a separate process and returns at once, without waiting for
/// it or keeping its process id. Behind an interface so tests need not start anything.
class ProgramStarter {
  public:
    virtual ~ProgramStarter() = default;

    /// Starts the program at `path` with no arguments, detached. False when it could not
    /// be started (missing file, not executable).
    virtual bool Start(const QString& path) = 0;
};

}  // namespace quintrel
