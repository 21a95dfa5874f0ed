// The main of every test executable: an offscreen application, then GoogleTest.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QIcon>

int main(int argc, char **argv)
{
    // The user's own folders (configuration, data and the trash in it) are temporary for
    // every test, so no test reaches the folders of whoever runs it.
    QTemporaryDir userFolders;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(userFolders.path() + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(userFolders.path() + QStringLiteral("/data")));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
