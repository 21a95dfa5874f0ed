// Program entry: one instance per settings file, then the main window and the event loop.

#include "app/ui/mainwindow.h"
#include "app/ui/qtuiport.h"
#include "app/ui/singleinstance.h"
#include "base/globals.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
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

    QStringList args = QApplication::arguments().mid(1);
    TOrvaneF window(QApplication::applicationFilePath(), args);
    port.setParent(&window);
    QObject::connect(&instance, &SingleInstance::anotherStartRequested, &window, [&window] {
        if (window.isMinimized())
            window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    const int rc = app.exec();
    setUiPort(nullptr);
    return rc;
}
