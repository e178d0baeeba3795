#pragma once

#include "ui/ProgramStarter.h"

namespace quintrel {

/// Starts programs with QProcess::startDetached in the folder of the program they run.
class QtProgramStarter : public ProgramStarter {
  public:
    bool Start(const QString& program, const QStringList& arguments = {}) override;
    bool IsInstalled(const QString& name) override;
};

}  // namespace quintrel
