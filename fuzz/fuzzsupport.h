#pragma once
// What the fuzz targets share: the input as a QByteArray, an offscreen application for
// the readers that need fonts, pictures or cursors, a scratch file for the readers that
// take a path, and a check that stops the run with a message when a property fails.

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Created once per process: the readers of pictures, cursors and rich text need it.
inline void needGuiApplication()
{
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char *argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

// A file path in a folder of our own, the same for every input of this process.
inline QString scratchFile(const QString &name)
{
    static QTemporaryDir dir;
    return dir.path() + u'/' + name;
}

// Replaces the scratch file's content (plain C calls, no Qt state kept between inputs).
inline void writeScratch(const QString &path, const QByteArray &bytes)
{
    FILE *f = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!f)
        std::abort();
    if (!bytes.isEmpty())
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
    std::fclose(f);
}

#define FUZZ_CHECK(condition, what)                                                       \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", what, __FILE__, __LINE__); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

} // namespace Fuzz
