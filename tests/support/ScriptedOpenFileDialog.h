#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "ui/OpenFileDialog.h"

namespace quintrel {

/// An open dialog for tests: each ShowOpen answers with the next scripted path (empty =
/// cancel; cancels once the script is used up) and records the properties it was shown with.
class ScriptedOpenFileDialog : public OpenFileDialog {
  public:
    struct Seen {
        QString filter;
        int filterIndex;
        QString title, initDir, fileName;
    };

    void ShowOpen() override {
        seen.push_back({Filter, FilterIndex, DialogTitle, InitDir, FileName});
        FileName = script.empty() ? QString() : script.front();
        if (!script.empty()) {
            script.pop_front();
        }
    }

    std::deque<QString> script;  ///< the paths the next ShowOpen calls answer, from the front
    std::vector<Seen> seen;      ///< the properties at every ShowOpen, in order
};

}  // namespace quintrel
