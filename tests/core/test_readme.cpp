// The read-me tree shipped beside the executable is what a first start shows: every
// node must stand for a file or folder of the kind it is meant to be, and every text
// file must be Shift-JIS with CR LF as the program writes them.

#include "base/sjiscodec.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/treefile.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>

namespace {

const QString kReadMeDir = QStringLiteral(ORVANE_SOURCE_DIR "/ReadMe");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every line break is CR LF and the last line has one.
bool crlfOnly(const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
    }
    return bytes.isEmpty() || bytes.endsWith("\r\n");
}

struct Node {
    QString fsPath;
    QString name;
    int kind;
};

QList<Node> readMeNodes()
{
    const TreeReadResult tree = parseTreeFile(readAll(kReadMeDir + QStringLiteral("/ReadMe.Orvan")));
    EXPECT_TRUE(tree.ok) << tree.errorMessage().toStdString();
    QList<Node> out;
    QStringList ancestors;
    for (const TreeLine &line : tree.nodes) {
        ancestors.resize(line.level);
        const QString path = NodePaths::fullPath(kReadMeDir, NodePaths::folderPath(ancestors), line.text);
        const QString ext = NodePaths::extOf(line.text);
        out.append({path, line.text, NodeKindOf(path, ext, {QStringLiteral("TXT")})});
        ancestors.append(line.text);
    }
    return out;
}

} // namespace

TEST(ReadMeTree, FirstNodeIsAMemoAndEveryNodeHasItsFile)
{
    const QList<Node> nodes = readMeNodes();
    ASSERT_GT(nodes.size(), 10);
    EXPECT_EQ(nodes.first().kind, int(KindMemo)) << "a first start shows the first node";
    QSet<int> kinds;
    for (const Node &n : nodes) {
        EXPECT_NE(n.kind, int(KindUnknown)) << n.fsPath.toStdString();
        kinds.insert(n.kind);
    }
    for (int k : {KindFolder, KindMemo, KindRich, KindImage})
        EXPECT_TRUE(kinds.contains(k)) << "no node of kind " << k;
}

TEST(ReadMeTree, EveryFileBesideTheTreeBelongsToANode)
{
    QSet<QString> expected{kReadMeDir + QStringLiteral("/ReadMe.Orvan")};
    for (const Node &n : readMeNodes()) {
        expected.insert(n.fsPath);
        if (n.kind == KindImage || n.kind == KindOle)
            expected.insert(n.fsPath + QStringLiteral(".TMEM"));
    }
    QDirIterator it(kReadMeDir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        EXPECT_TRUE(expected.contains(path)) << "no node for " << path.toStdString();
    }
}

TEST(ReadMeTree, TextFilesAreShiftJisWithCrLf)
{
    QStringList texts{kReadMeDir + QStringLiteral("/ReadMe.Orvan")};
    for (const Node &n : readMeNodes()) {
        if (n.kind == KindMemo || n.kind == KindRich)
            texts.append(n.fsPath);
        if (n.kind == KindImage || n.kind == KindOle)
            texts.append(n.fsPath + QStringLiteral(".TMEM"));
    }
    for (const QString &path : texts) {
        const QByteArray bytes = readAll(path);
        EXPECT_FALSE(bytes.isEmpty()) << path.toStdString();
        EXPECT_TRUE(crlfOnly(bytes)) << path.toStdString();
        EXPECT_TRUE(Sjis::roundTrips(bytes)) << path.toStdString();
        EXPECT_FALSE(Sjis::readsAsUtf8(bytes)) << path.toStdString();
    }
}

TEST(ReadMeTree, PicturesDecodeAndCarryTheirCommentFile)
{
    int pictures = 0;
    for (const Node &n : readMeNodes()) {
        if (n.kind != KindImage)
            continue;
        ++pictures;
        EXPECT_FALSE(QImage(n.fsPath).isNull()) << n.fsPath.toStdString();
        const QStringList lines = Sjis::decodeLines(readAll(n.fsPath + QStringLiteral(".TMEM")));
        ASSERT_EQ(lines.size(), 11) << n.fsPath.toStdString();
        EXPECT_EQ(lines.at(0), QStringLiteral("[コメント]"));
        EXPECT_EQ(lines.at(3), QString(20, u'-'));
        EXPECT_EQ(lines.at(4), QStringLiteral("[DATE]"));
        EXPECT_TRUE(lines.at(5).startsWith(QStringLiteral(" 作成日付=")));
        EXPECT_TRUE(lines.at(6).startsWith(QStringLiteral(" 取込日付=")));
        EXPECT_EQ(lines.at(7), QStringLiteral("[FILE]"));
        EXPECT_EQ(lines.at(8), QStringLiteral(" ファイル名=") + n.name);
        EXPECT_TRUE(lines.at(9).startsWith(QStringLiteral(" 作成者=")));
        EXPECT_EQ(lines.at(10), QString(20, u'-'));
    }
    EXPECT_GE(pictures, 1);
}

TEST(ReadMeTree, RichTextPageHasTheRichEditShape)
{
    for (const Node &n : readMeNodes()) {
        if (n.kind != KindRich)
            continue;
        const QByteArray rtf = readAll(n.fsPath);
        EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg932")) << n.fsPath.toStdString();
        EXPECT_TRUE(rtf.contains("\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;")); // ＭＳ 明朝
        EXPECT_TRUE(rtf.endsWith("\\par\r\n}\r\n"));
        bool plain = true; // 7-bit text and CR LF only; everything else is escaped
        for (char c : rtf)
            plain = plain && uchar(c) < 0x80 && (uchar(c) >= 0x20 || c == '\r' || c == '\n');
        EXPECT_TRUE(plain);
        EXPECT_EQ(rtf.count('{'), rtf.count('}'));
    }
}
