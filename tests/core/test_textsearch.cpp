// The search engine: the result list's lines, every occurrence with its offset and line,
// which nodes and files are searched, the scope, and the quick look at the raw bytes
// that must never hide a hit.

#include "base/globals.h"
#include "base/sjiscodec.h"
#include "search/searchstate.h"
#include "search/textsearch.h"
#include "search/wordprefilter.h"
#include "support/testdir.h"
#include "tree/guardedtext.h"

#include <QFile>
#include <QRandomGenerator>
#include <sys/stat.h>
#include <gtest/gtest.h>

using namespace TextSearch;

namespace {

QList<Node> nodesOf(const QList<std::pair<int, QString>> &list)
{
    QList<Node> out;
    for (const auto &[level, name] : list)
        out.append({level, name});
    return out;
}

Query memoQuery(const QString &word)
{
    Query q;
    q.word = word;
    return q;
}

struct RegisteredText {
    RegisteredText() { MemoExtList = {QStringLiteral("TXT")}; }
    ~RegisteredText() { MemoExtList.clear(); }
};

} // namespace

TEST(TextSearchLines, HeaderLinesCountShiftJisBytes)
{
    struct Case { QString word; bool all; QString line1; QString line2; };
    const QList<Case> cases = {
        {QStringLiteral("abc"), true, QStringLiteral("検索文字=3,abc"), QString(14, u'-') + QStringLiteral("<全ノード検索>-----")},
        {QStringLiteral("検索"), true, QStringLiteral("検索文字=4,検索"), QString(15, u'-') + QStringLiteral("<全ノード検索>-----")},
        {QStringLiteral("abc"), false, QStringLiteral("検索文字=3,abc"), QString(14, u'-') + QStringLiteral("<下層ノード検索>-----")},
        // Half-width katakana take one byte each.
        {QStringLiteral("ｱｲ"), true, QStringLiteral("検索文字=2,ｱｲ"), QString(13, u'-') + QStringLiteral("<全ノード検索>-----")},
        {QStringLiteral("0123456789"), true, QStringLiteral("検索文字=10,0123456789"), QString(22, u'-') + QStringLiteral("<全ノード検索>-----")},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(headerLine1(c.word), c.line1) << c.word.toStdString();
        EXPECT_EQ(headerLine2(c.word, c.all), c.line2) << c.word.toStdString();
    }
    Hit h;
    h.index = 4; h.kind = 1; h.offset = 4; h.line = 1;
    h.name = QStringLiteral("memo.TXT");
    h.lineText = QStringLiteral("say abc here");
    EXPECT_EQ(hitLine(h), QStringLiteral("4,1,4,1,memo.TXT:say abc here"));
}

TEST(TextSearchLines, EveryOccurrenceWithOffsetLineAndLineText)
{
    struct Expect { int offset; int line; QString lineText; };
    struct Case { QString text; QString word; QList<Expect> hits; };
    const QList<Case> cases = {
        {QStringLiteral("aaa"), QStringLiteral("aa"), {{0, 1, QStringLiteral("aaa")}, {1, 1, QStringLiteral("aaa")}}},
        {QStringLiteral("aaaa"), QStringLiteral("aa"), {{0, 1, "aaaa"}, {1, 1, "aaaa"}, {2, 1, "aaaa"}}},
        {QStringLiteral("x\nabc abc\n\nzabc"), QStringLiteral("abc"),
         {{2, 2, QStringLiteral("abc abc")}, {6, 2, QStringLiteral("abc abc")}, {12, 4, QStringLiteral("zabc")}}},
        {QStringLiteral("abc"), QStringLiteral("ABC"), {}},              // case counts
        {QStringLiteral("ＡＢＣ abc"), QStringLiteral("abc"), {{4, 1, QStringLiteral("ＡＢＣ abc")}}}, // no width folding
        {QStringLiteral("今日は検索\n検索の日"), QStringLiteral("検索"),
         {{3, 1, QStringLiteral("今日は検索")}, {6, 2, QStringLiteral("検索の日")}}},
        {QStringLiteral("abc"), QString(), {}},
        {QString(), QStringLiteral("a"), {}},
    };
    for (const Case &c : cases) {
        const QList<Hit> hits = findAll(c.text, c.word);
        ASSERT_EQ(hits.size(), c.hits.size()) << c.text.toStdString() << " / " << c.word.toStdString();
        for (qsizetype i = 0; i < hits.size(); ++i) {
            EXPECT_EQ(hits[i].offset, c.hits[i].offset) << c.text.toStdString();
            EXPECT_EQ(hits[i].line, c.hits[i].line) << c.text.toStdString();
            EXPECT_EQ(hits[i].lineText, c.hits[i].lineText) << c.text.toStdString();
            EXPECT_EQ(c.text.mid(hits[i].offset, c.word.size()), c.word);
        }
    }
}

TEST(TextSearchLines, JumpReadsFourLeadingNumbersOnly)
{
    struct Case { QString line; bool ok; HitRef ref; };
    const QList<Case> cases = {
        {QStringLiteral("4,1,4,1,memo.TXT:say abc here"), true, {4, 1, 4, 1}},
        {QStringLiteral("12,2,130,7,a,b.rtf:x, y, z"), true, {12, 2, 130, 7}}, // commas in name and text
        {QStringLiteral("1,2,3,4"), true, {1, 2, 3, 4}},
        {QStringLiteral("検索文字=3,abc"), false, {}},
        {QString(14, u'-') + QStringLiteral("<全ノード検索>-----"), false, {}},
        {QStringLiteral("*** 検索ノード無し ***"), false, {}},
        {QStringLiteral("1,2,3"), false, {}},
        {QStringLiteral("a,1,2,3,x"), false, {}},
        {QStringLiteral("-1,1,2,3,x"), false, {}},
        {QStringLiteral(" 1,1,2,3,x"), false, {}},
        {QStringLiteral("1,,2,3,x"), false, {}},
        {QStringLiteral("99999999999,1,2,3,x"), false, {}},
        {QString(), false, {}},
    };
    for (const Case &c : cases) {
        const auto ref = parseHitLine(c.line);
        ASSERT_EQ(ref.has_value(), c.ok) << c.line.toStdString();
        if (ref) {
            EXPECT_EQ(ref->index, c.ref.index);
            EXPECT_EQ(ref->kind, c.ref.kind);
            EXPECT_EQ(ref->offset, c.ref.offset);
            EXPECT_EQ(ref->line, c.ref.line);
        }
    }
}

TEST(TextSearchLines, CaretGoesToTheFirstOccurrenceOnTheLine)
{
    const QString text = QStringLiteral("one\nabc abc\n\nend");
    struct Case { int line; QString word; int caret; };
    const QList<Case> cases = {
        {1, QStringLiteral("ne"), 1},
        {2, QStringLiteral("abc"), 4},   // the second hit on the line selects the first
        {2, QStringLiteral("zzz"), 4},   // not there: the line's start
        {3, QStringLiteral("abc"), 12},
        {4, QStringLiteral("d"), 15},
        {5, QStringLiteral("a"), -1},
        {0, QStringLiteral("a"), -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(lineCaret(text, c.line, c.word), c.caret) << c.line << c.word.toStdString();
}

TEST(SearchState, HistoryIsNewestFirstAndAnEqualEntryKeepsItsPlace)
{
    SearchState s;
    struct Step { QString word; QStringList history; };
    const QList<Step> steps = {
        {QStringLiteral("a"), {QStringLiteral("a")}},
        {QStringLiteral("検索"), {QStringLiteral("検索"), QStringLiteral("a")}},
        {QStringLiteral("a"), {QStringLiteral("検索"), QStringLiteral("a")}},      // stays second
        {QStringLiteral("A"), {QStringLiteral("A"), QStringLiteral("検索"), QStringLiteral("a")}}, // case counts
        {QString(), {QStringLiteral("A"), QStringLiteral("検索"), QStringLiteral("a")}},           // empty never enters
    };
    for (const Step &step : steps) {
        s.confirm(step.word, false, true, true);
        EXPECT_EQ(s.history, step.history) << step.word.toStdString();
        EXPECT_TRUE(s.confirmed);
        EXPECT_EQ(s.word, step.word);
    }
    s.confirm(QStringLiteral("検索x"), true, false, true);
    EXPECT_EQ(s.wordBytes, 5);
    EXPECT_TRUE(s.inMemo);
    EXPECT_FALSE(s.inRich);
    EXPECT_TRUE(s.inComment);
    EXPECT_EQ(searchScopeCaption(true), QStringLiteral("全ノード検索"));
    EXPECT_EQ(searchScopeCaption(false), QStringLiteral("下層ノード検索"));
}

// A tree of every kind:
//   0 A.txt            memo
//   1 F.txt            a folder whose name looks like a memo's
//   2   B.txt          a folder (level 1)
//   3     C.txt        empty memo (level 2)
//   4   D.txt          memo (level 1)
//   5   E.txt          memo (level 1)
//   6     E2.txt       nothing on disk (level 2)
//   7 R.rtf            rich text
//   8 P.bmp            picture with a comment side file
//   9 Q.doc            other file without a side file
//  10 Gone.txt         nothing on disk, a side file left over
//  11 Z.txt            memo
struct KindTree {
    RegisteredText registered;
    TestDir dir;
    QList<Node> nodes = nodesOf({{0, "A.txt"}, {0, "F.txt"}, {1, "B.txt"}, {2, "C.txt"}, {1, "D.txt"},
                                  {1, "E.txt"}, {2, "E2.txt"}, {0, "R.rtf"}, {0, "P.bmp"}, {0, "Q.doc"},
                                  {0, "Gone.txt"}, {0, "Z.txt"}});
    KindTree()
    {
        dir.createFile("A.txt", "say abc here\r\n");
        dir.createFile("F.txt/abc.txt", "abc"); // not in the tree: never read
        dir.createFile("F.txt/B.txt/C.txt", "");
        dir.createFile("F.txt/D.txt", "x abc");
        dir.createFile("F.txt/E.txt", "abc\r\nabc");
        dir.createFile("R.rtf", "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0 x;}}\\f0 first\\par se\\b con\\b0 d abc\\par}");
        dir.createFile("P.bmp", "BM");
        dir.createFile("P.bmp.TMEM", "comment abc\r\n");
        dir.createFile("Q.doc", "abc in the file itself");
        dir.createFile("Gone.txt.TMEM", "left abc");
        dir.createFile("Z.txt", "abc");
    }
    QStringList run(const Query &q) { return TextSearch::run(nodes, dir.path(), q).lines.mid(2); }
};

TEST(TextSearchRun, KindsDecideWhichFilesAreRead)
{
    KindTree t;
    struct Case { bool memo, rich, comment; QStringList lines; };
    const QList<Case> cases = {
        {true, false, false,
         {"0,1,4,1,A.txt:say abc here", "4,1,2,1,D.txt:x abc", "5,1,0,1,E.txt:abc", "5,1,4,2,E.txt:abc",
          "11,1,0,1,Z.txt:abc"}},
        {false, true, false, {"7,2,13,2,R.rtf:second abc"}},
        // Kinds 3 and above through their side file only: Q.doc has none, so its own
        // content is never looked at; the side file of a node with nothing on disk is.
        {false, false, true, {"8,3,8,1,P.bmp:comment abc", "10,5,5,1,Gone.txt:left abc"}},
        {false, false, false, {"*** 検索ノード無し ***"}},
    };
    for (const Case &c : cases) {
        Query q = memoQuery(QStringLiteral("abc"));
        q.inMemo = c.memo;
        q.inRich = c.rich;
        q.inComment = c.comment;
        EXPECT_EQ(t.run(q), c.lines) << c.memo << c.rich << c.comment;
    }
}

TEST(TextSearchRun, ScopeBelowEndsAtTheFirstNodeAboveTheStartLevel)
{
    KindTree t;
    struct Case { bool all; int start; QStringList indexes; };
    const QList<Case> cases = {
        {true, 4, {"0", "4", "5", "5", "11"}},          // all nodes whatever is selected
        {false, 4, {"4", "5", "5"}},                    // D, then its later sibling E and E's child; ends at R.rtf
        {false, 2, {"4", "5", "5"}},                    // from B (a folder): its child and later siblings
        {false, 5, {"5", "5"}},
        {false, 0, {"0", "4", "5", "5", "11"}},         // level 0: nothing lies above it
        {false, 11, {"11"}},
        {false, 12, {}},                                // no such node: nothing searched
        {false, -1, {}},                                // nothing selected
    };
    for (const Case &c : cases) {
        Query q = memoQuery(QStringLiteral("abc"));
        q.allNodes = c.all;
        q.startIndex = c.start;
        const Result r = TextSearch::run(t.nodes, t.dir.path(), q);
        QStringList indexes;
        for (const QString &line : r.lines.mid(2))
            if (parseHitLine(line))
                indexes.append(line.section(u',', 0, 0));
        EXPECT_EQ(indexes, c.indexes) << c.all << " " << c.start;
        EXPECT_EQ(r.hits, c.indexes.size());
        EXPECT_EQ(r.lines.at(1).endsWith(c.all ? QStringLiteral("<全ノード検索>-----")
                                                : QStringLiteral("<下層ノード検索>-----")), true);
        if (c.indexes.isEmpty())
            EXPECT_EQ(r.lines.size(), 3);
    }
}

TEST(TextSearchRun, EmptyTreeAndNoHitGiveExactlyThreeLines)
{
    RegisteredText registered;
    TestDir dir;
    dir.createFile("a.txt", "nothing here");
    for (const QList<Node> &nodes : {QList<Node>{}, nodesOf({{0, "a.txt"}})}) {
        const Result r = TextSearch::run(nodes, dir.path(), memoQuery(QStringLiteral("abc")));
        EXPECT_EQ(r.lines, QStringList({QStringLiteral("検索文字=3,abc"),
                                        QString(14, u'-') + QStringLiteral("<全ノード検索>-----"),
                                        QStringLiteral("*** 検索ノード無し ***")}));
        EXPECT_EQ(r.hits, 0);
    }
}

TEST(TextSearchRun, MemosAreSearchedInTheFormTheyWereWrittenIn)
{
    RegisteredText registered;
    TestDir dir;
    const QString text = QStringLiteral("一行目\r\n二行目に検索語\r\n");
    dir.createFile("sjis.txt", sjis(text));
    dir.createFile("utf8.txt", text.toUtf8());
    dir.createFile("bom.txt", "\xEF\xBB\xBF" + text.toUtf8());
    // Bytes after a NUL are not part of the text the view shows.
    dir.createFile("nul.txt", sjis(QStringLiteral("前")) + QByteArray(1, '\0') + sjis(QStringLiteral("検索語")));
    const QList<Node> nodes = nodesOf({{0, "sjis.txt"}, {0, "utf8.txt"}, {0, "bom.txt"}, {0, "nul.txt"}});
    const Result r = TextSearch::run(nodes, dir.path(), memoQuery(QStringLiteral("検索語")));
    EXPECT_EQ(r.lines.mid(2), QStringList({QStringLiteral("0,1,8,2,sjis.txt:二行目に検索語"),
                                           QStringLiteral("1,1,8,2,utf8.txt:二行目に検索語"),
                                           // the byte-order mark stays in the view's text, as Memo1 holds it
                                           QStringLiteral("2,1,9,2,bom.txt:二行目に検索語")}));
}

TEST(TextSearchRun, DuplicatedCodesAreFoundWhicheverCodeTheFileUses)
{
    RegisteredText registered;
    TestDir dir;
    // ∵ is 81E6 and 879A, ≒ 81E0 and 8790, ⅰ EEEF and FA40 in code page 932.
    dir.createFile("nec.txt", QByteArray("x\x87\x9A y\x87\x90 z\xFA\x40"));
    dir.createFile("jis.txt", QByteArray("x\x81\xE6 y\x81\xE0 z\xEE\xEF"));
    const QList<Node> nodes = nodesOf({{0, "nec.txt"}, {0, "jis.txt"}});
    for (const QString &word : {QStringLiteral("∵"), QStringLiteral("≒"), QStringLiteral("ⅰ")}) {
        const Result r = TextSearch::run(nodes, dir.path(), memoQuery(word));
        EXPECT_EQ(r.hits, 2) << word.toStdString();
    }
}

TEST(TextSearchRun, UnsafeNamesAndUnreadableFilesArePassedOver)
{
    RegisteredText registered;
    TestDir dir;
    dir.createFile("in/a.txt", "abc");
    dir.createFile("outside.txt", "abc");
    // A pipe named like a memo would block a reader for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file("in/fifo.txt")).constData(), 0600), 0);
    const QList<Node> nodes = nodesOf({{0, ".."}, {1, "outside.txt"}, {0, "a.txt"}, {0, "fifo.txt"}});
    const Result r = TextSearch::run(nodes, dir.file("in"), memoQuery(QStringLiteral("abc")));
    EXPECT_EQ(r.lines.mid(2), QStringList({QStringLiteral("2,1,0,1,a.txt:abc")}));
}

TEST(TextSearchRun, RichTextOffsetsCountTheViewsCharacters)
{
    // Two paragraphs, a soft line break, a tab and Shift-JIS escapes: the offset must
    // point at the word in the text the rich-text view holds.
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 x;}}"
                           "\\f0 \\'88\\'ea\\par a\\tab b\\line \\'8c\\'9f\\'8d\\'f5 end\\par}";
    const QString plain = richPlainText(rtf);
    const QList<Hit> hits = findAll(plain, QStringLiteral("検索"));
    ASSERT_EQ(hits.size(), 1) << plain.toStdString();
    EXPECT_EQ(plain.mid(hits[0].offset, 2), QStringLiteral("検索"));
    EXPECT_EQ(hits[0].line, 3);
    EXPECT_EQ(hits[0].offset, 6);
}

// The quick look at raw bytes may let through files without the word, never stop one
// that holds it. Files are pieced together from Shift-JIS, UTF-8 and stray bytes, and
// every piece of their decoded text is tried as a word.
TEST(WordPrefilter, NeverHidesAFileWhoseTextHoldsTheWord)
{
    const QStringList pieces = {QStringLiteral("検索"), QStringLiteral("ｱｲｳ"), QStringLiteral("abc"),
                                QStringLiteral("∵≒"), QStringLiteral("表示"), QStringLiteral("ソ")};
    QRandomGenerator rng(42);
    int checked = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        const int parts = 1 + rng.bounded(6);
        for (int p = 0; p < parts; ++p) {
            const QString piece = pieces.at(rng.bounded(pieces.size()));
            switch (rng.bounded(4)) {
            case 0: bytes += Sjis::encode(piece).bytes; break;
            case 1: bytes += piece.toUtf8(); break;
            case 2: bytes += char(rng.bounded(256)); break;
            default: bytes += "\r\n"; break;
            }
        }
        const QString text = GuardedText::textOf(bytes);
        for (int from = 0; from < text.size(); ++from) {
            for (int len = 1; from + len <= text.size() && len <= 4; ++len) {
                const QString word = text.mid(from, len);
                const WordPrefilter filter(word);
                EXPECT_TRUE(filter.mayHold(bytes)) << bytes.toHex().toStdString() << " " << word.toStdString();
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(WordPrefilter, RulesOutFilesWithoutTheWordAndStandsAsideWhenUnsure)
{
    const WordPrefilter kanji(QStringLiteral("検索"));
    EXPECT_TRUE(kanji.active());
    EXPECT_FALSE(kanji.mayHold(sjis(QStringLiteral("関係ない文章"))));
    EXPECT_TRUE(kanji.mayHold(sjis(QStringLiteral("ここで検索する"))));
    EXPECT_TRUE(kanji.mayHold(QStringLiteral("ここで検索する").toUtf8()));
    // Characters with two codes, line breaks and control characters: every file is looked into.
    for (const QString &word : {QStringLiteral("∵"), QStringLiteral("a\nb"), QStringLiteral("\t"), QString()})
        EXPECT_FALSE(WordPrefilter(word).active()) << word.toStdString();
}
