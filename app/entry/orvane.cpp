// Program entry: one instance per user, then the main window and the event loop.

#include "app/ui/mainwindow.h"
#include "app/ui/qtuiport.h"
#include "app/ui/singleinstance.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    SingleInstance instance(QStringLiteral("TOrvane"));
    if (!instance.claim()) {
        QMessageBox::information(nullptr, QStringLiteral("TOrvane"),
                                 QApplication::applicationFilePath() + u'\n' + QStringLiteral("起動済みです｡"));
        instance.notifyRunning();
        return 0;
    }
    QApplication::setApplicationDisplayName(QStringLiteral("TOrvane"));
    QApplication::setApplicationName(QStringLiteral("TOrvane"));

    QtUiPort port;
    setUiPort(&port);
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
