#pragma once

#include <QString>
#include <QStringList>

namespace quintrel {

/// Starts another program as a separate process and returns at once, without waiting for
/// it or keeping its process id. Behind an interface so tests need not start anything.
class ProgramStarter {
  public:
    virtual ~ProgramStarter() = default;

    /// Starts `program` (a path, or a name found on the PATH) with `arguments`, detached,
    /// in the folder of the last argument that is a path, else the program's own folder.
    /// False when it could not be started (missing file, not executable).
    virtual bool Start(const QString& program, const QStringList& arguments = {}) = 0;

    /// Whether a program of this name can be found on the PATH (e.g. "wine").
    virtual bool IsInstalled(const QString& name) = 0;
};

}  // namespace quintrel
