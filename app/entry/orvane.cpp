// Program entry: one instance per settings file, then the main window and the event loop.

#include "app/terminationsignal.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtuiport.h"
#include "app/ui/singleinstance.h"
#include "base/globals.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

// "--help" and "--version" are answered on the terminal before any window system is
// needed, so they work without a display too.
bool answeredOnTerminal(int argc, char *argv[])
{
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::puts("orvane " ORVANE_VERSION);
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::puts("usage: orvane [TREE]\n"
                  "Opens the tree file TREE (\".Orvan\"), or else the tree used last.\n"
                  "While Orvane runs, a second start only brings the running window forward.\n"
                  "  --help     this text\n"
                  "  --version  the version of orvane\n"
                  "Tree files can also be read from the command line with orvane-cli (orvane-cli --help).");
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (answeredOnTerminal(argc, argv))
        return 0;
    QApplication app(argc, argv);
    // Ties the windows to the desktop entry (menu, file manager, task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("orvane"));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    QtUiPort port;
    setUiPort(&port);
    // The guard is keyed on where the settings file lives, so the program's paths are
    // known first (the window sets them up again when it is created).
    GlobalInit(QApplication::applicationFilePath());
    SingleInstance instance(SingleInstance::settingsFolder());
    if (!instance.claim()) {
        // Another Orvane runs: say so, bring it forward, and touch no file.
        ui().showMessage(SingleInstance::alreadyRunningMessage(QApplication::applicationFilePath()));
        instance.notifyRunning();
        setUiPort(nullptr);
        return 0;
    }
    QApplication::setApplicationName(QStringLiteral("TOrvane"));

    // Ended from outside (the session closing): close as the user does, saving first. A
    // request that comes while the window is being made waits for the event loop.
    TerminationSignal termination;
    QStringList args = QApplication::arguments().mid(1);
    TOrvaneF window(QApplication::applicationFilePath(), args);
    port.setParent(&window);
    QObject::connect(&instance, &SingleInstance::anotherStartRequested, &window, [&window] {
        if (window.isMinimized())
            window.showNormal();
        window.raise();
        window.activateWindow();
    });
    QObject::connect(&termination, &TerminationSignal::requested, &window, &QWidget::close);
    window.show();
    const int rc = app.exec();
    setUiPort(nullptr);
    return rc;
}
