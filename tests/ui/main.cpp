// The window's tests run inside one QApplication on the offscreen platform.

#include "ui/introduction.h"

#include <QApplication>
#include <gtest/gtest.h>

// Allocations that FFmpeg and Qt's media backend keep for the life of the process (the
// introduction's film): not ours to free. Read by LeakSanitizer where it runs.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libavutil.so\n"
           "leak:libavcodec.so\n"
           "leak:libavformat.so\n"
           "leak:libswscale.so\n"
           "leak:libffmpegmediaplugin.so\n"
           "leak:libQt6Multimedia.so\n";
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    brivane::ui::ChooseMediaBackend();
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
