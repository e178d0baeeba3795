#pragma once

#include <QGuiApplication>

namespace quintrel::bench {

/// Fonts, pictures and the document writers need a GUI application: made once, on the
/// offscreen platform, and kept until the process ends.
inline void EnsureApplication() {
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quintrel-bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

}  // namespace quintrel::bench
