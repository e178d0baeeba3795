#pragma once

#include <QString>
#include <deque>
#include <variant>
#include <vector>

#include "ui/SaveFileDialog.h"

namespace quintrel {

/// A save dialog for tests. Each ShowSave takes the next scripted step: a path (the user
/// chose it; empty = cancel) or Fail (the dialog could not be opened). With the script
/// used up it cancels. Records the properties in effect at every ShowSave.
class ScriptedSaveFileDialog : public SaveFileDialog {
  public:
    struct Fail {};
    using Step = std::variant<QString, Fail>;

    struct Seen {
        QString filter, defaultExt, title, initDir, fileName;
        bool confirmOverwrite;
    };

    void ShowSave() override {
        seen.push_back({Filter, DefaultExt, DialogTitle, InitDir, FileName, ConfirmOverwrite});
        if (script.empty()) {
            FileName.clear();
            return;
        }
        const Step step = script.front();
        script.pop_front();
        if (std::holds_alternative<Fail>(step)) {
            throw SaveDialogError("the dialog could not be opened");
        }
        FileName = std::get<QString>(step);
    }

    std::deque<Step> script;  ///< what the next ShowSave calls do, from the front
    std::vector<Seen> seen;   ///< the properties at every ShowSave, in order
};

}  // namespace quintrel
