// Where nodes live on disk: folder paths in the "\" form and the file-system paths made
// from them, refusing every name that would lead somewhere else.

#include "tree/nodepath.h"

#include <gtest/gtest.h>

namespace {

TEST(NodePaths, PathsBelowUnsafeNamesAreNone)
{
    struct Case { const char *what; QStringList ancestors; QString name; QString folder; QString full; };
    const QString base = QStringLiteral("/t");
    const Case cases[] = {
        {"root node", {}, "a.TXT", "\\", "/t/a.TXT"},
        {"child", {"A", "B"}, "c.TXT", "\\A\\B\\", "/t/A/B/c.TXT"},
        {"child of a name with a backslash", {"a\\b"}, "child", "", ""},
        {"grandchild of it", {"a\\b", "x"}, "child", "", ""},
        {"child of a name with a slash", {"a/b"}, "child", "", ""},
        {"child of ..", {".."}, "child", "", ""},
        {"child of .", {"A", "."}, "child", "", ""},
        {"unsafe name itself", {"A"}, "x\\y", "\\A\\", ""},
    };
    for (const Case &c : cases) {
        const QString folder = NodePaths::folderPath(c.ancestors);
        EXPECT_EQ(folder, c.folder) << c.what;
        EXPECT_EQ(NodePaths::fullPath(base, folder, c.name), c.full) << c.what;
    }
    EXPECT_EQ(NodePaths::childFolderPath(QStringLiteral("\\"), QStringLiteral("a\\b")), QString());
    EXPECT_EQ(NodePaths::childFolderPath(QString(), QStringLiteral("a")), QString());
    EXPECT_EQ(NodePaths::childFolderPath(QStringLiteral("\\A\\"), QStringLiteral("B")), QStringLiteral("\\A\\B\\"));
}

} // namespace
