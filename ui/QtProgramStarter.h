#pragma once

#include "ui/ProgramStarter.h"

namespace quintrel {

/// Starts programs with QProcess::startDetached, no arguments, in the program's own folder.
class QtProgramStarter : public ProgramStarter {
  public:
    bool Start(const QString& path) override;
};

}  // namespace quintrel
