// Start-up shared by the fuzz targets: a GUI application without a display,
// since the reader builds QTextDocuments and decodes images.

#include <QGuiApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_LOGGING_RULES", "*=false", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}
