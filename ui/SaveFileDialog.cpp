#include "ui/SaveFileDialog.h"

namespace quintrel {

QString ShowSaveWithRetry(SaveFileDialog& dialog) {
    try {
        dialog.ShowSave();
    } catch (const SaveDialogError&) {
        // Usually a remembered file name the dialog will not take: start afresh once.
        dialog.FileName.clear();
        try {
            dialog.ShowSave();
        } catch (const SaveDialogError&) {
            dialog.FileName.clear();
        }
    }
    return dialog.FileName;
}

}  // namespace quintrel
