// The main of every test executable: an offscreen application, then GoogleTest.

#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
