// Searching a large tree: generates 10,000 Shift-JIS memos of about 10 KB each (about
// 100 MB in all) in 100 folders, a Japanese word in one memo of a hundred, then times
//   - `orvane-cli search TREE WORD` (a whole process, output thrown away),
//   - `LC_ALL=C grep -rF` of the word's Shift-JIS bytes over the same folder,
//   - the same search from the window: engine plus filling the result list,
//   - the engine with a word that has a character of two codes, for which every memo
//     is decoded (no look at the raw bytes first).
// Each figure is the best of five runs after one warm-up run, so all read from the page
// cache. Prints the figures and the ratio to grep (aim: at most 2).
//
//   bench_search [MEMOS] [FOLDER]   (defaults: 10000, a temporary folder; a FOLDER that
//                                    already holds the generated tree is used as it is)

#include "app/ui/mainwindow.h"
#include "base/globals.h"
#include "base/sjiscodec.h"
#include "base/uiport.h"
#include "search/searchstate.h"
#include "search/textsearch.h"
#include "tree/treefile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <vector>

extern char **environ;

namespace {

const QString kWord = QStringLiteral("検索語");

// Writes the memos and the tree file; returns the tree file's path.
QString generate(const QString &root, int memos)
{
    const QStringList phrases = {
        QStringLiteral("今日は朝から雨が降っていた。"), QStringLiteral("会議の議事録をまとめる。"),
        QStringLiteral("来週の予定を確認すること。"), QStringLiteral("ソフトウェアの設計について考える。"),
        QStringLiteral("ﾊﾝｶｸｶﾀｶﾅの行もある。"), QStringLiteral("Plain ASCII text line, 1234567890."),
        QStringLiteral("表示と保存の確認をした。"), QStringLiteral("東京都千代田区一丁目。"),
        QStringLiteral("資料を読み、要点を書き出した。"), QStringLiteral("明日は晴れるでしょう。"),
    };
    std::vector<QByteArray> encoded;
    for (const QString &p : phrases)
        encoded.push_back(Sjis::encode(p).bytes);
    const QByteArray word = Sjis::encode(kWord).bytes;
    quint32 seed = 2024;
    auto rnd = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % quint32(n));
    };
    QByteArray tree;
    const int perFolder = 100;
    for (int i = 0; i < memos; ++i) {
        const QString folder = QStringLiteral("フォルダ%1").arg(i / perFolder, 3, 10, QLatin1Char('0'));
        if (i % perFolder == 0) {
            QDir().mkpath(root + u'/' + folder);
            tree += Sjis::encode(folder).bytes + "\r\n";
        }
        const QString name = QStringLiteral("メモ%1.txt").arg(i, 5, 10, QLatin1Char('0'));
        tree += '\t' + Sjis::encode(name).bytes + "\r\n";
        QByteArray body;
        body.reserve(10400);
        const bool holds = i % 100 == 37;
        while (body.size() < 10000) {
            for (int k = 0; k < 4; ++k)
                body += encoded[size_t(rnd(int(encoded.size())))];
            if (holds && rnd(20) == 0)
                body += word;
            body += "\r\n";
        }
        QFile f(root + u'/' + folder + u'/' + name);
        f.open(QIODevice::WriteOnly);
        f.write(body);
    }
    const QString treeFile = root + QStringLiteral("/Bench.Orvan");
    QFile f(treeFile);
    f.open(QIODevice::WriteOnly);
    f.write(tree);
    return treeFile;
}

// CPU time (user + system) of the last spawned process, in ms: on a shared machine the
// wall time mostly measures the other processes.
double lastCpuMs = 0;

// Runs a program with raw byte arguments, output to /dev/null; returns its exit status.
int spawn(const std::vector<QByteArray> &args, const std::vector<QByteArray> &env = {})
{
    std::vector<char *> argv;
    for (const QByteArray &a : args)
        argv.push_back(const_cast<char *>(a.constData()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (char **e = environ; *e; ++e)
        envp.push_back(*e);
    for (const QByteArray &e : env)
        envp.push_back(const_cast<char *>(e.constData()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    lastCpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double best(const std::function<void()> &run, double *bestCpu = nullptr)
{
    run(); // warm-up: files into the page cache
    double ms = 1e18;
    if (bestCpu)
        *bestCpu = 1e18;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms = std::min(ms, t.nsecsElapsed() / 1e6);
        if (bestCpu)
            *bestCpu = std::min(*bestCpu, lastCpuMs);
    }
    return ms;
}

// Confirms the search dialog with the word, memos only, all nodes.
class AnsweringUi : public UiPort
{
public:
    void showMessage(const QString &) override {}
    void errorMessage(const QString &) override {}
    void reportError(const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool askYesNo(const QString &, const QString &) override { return false; }
    int askChoice(const QString &, const QString &, const QStringList &) override { return -1; }
    void beep() override {}
    QString openFileName(const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &, const QString &) override { return {}; }
    bool runSearchDialog(SearchState &state) override
    {
        state.allNodes = true;
        state.confirm(kWord, true, false, false);
        return true;
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int memos = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir temp;
    const QString root = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temp.path() + QStringLiteral("/tree");
    const QString exeDir = temp.path() + QStringLiteral("/exe");
    QDir().mkpath(root);
    QDir().mkpath(exeDir + QStringLiteral("/Res"));
    QFile::copy(QStringLiteral(ORVANE_SOURCE_DIR "/Res/Ac.ani"), exeDir + QStringLiteral("/Res/Ac.ani"));
    QFile::copy(QStringLiteral(ORVANE_SOURCE_DIR "/Res/MemoFEX.ini"), exeDir + QStringLiteral("/Res/MemoFEX.ini"));

    QElapsedTimer gen;
    gen.start();
    QString treeFile = root + QStringLiteral("/Bench.Orvan");
    if (!(argc > 2 && QFile::exists(treeFile)))
        treeFile = generate(root, memos);
    qint64 bytes = 0;
    int files = 0;
    for (const QFileInfo &folder : QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QFileInfo &memo : QDir(folder.filePath()).entryInfoList(QDir::Files)) {
            bytes += memo.size();
            ++files;
        }
    std::printf("memos: %d, %.1f MB, ready in %.0f ms\n", files, bytes / 1e6, gen.nsecsElapsed() / 1e6);

    const QByteArray cli = QByteArray(ORVANE_BINARY_DIR "/orvane-cli");
    const QByteArray treeArg = QFile::encodeName(treeFile);
    const QByteArray wordArg = kWord.toUtf8();
    const int cliStatus = spawn({cli, "search", treeArg, wordArg});
    double cliCpu = 0, grepCpu = 0;
    const double cliMs = best([&] { spawn({cli, "search", treeArg, wordArg}); }, &cliCpu);

    const QByteArray sjisWord = Sjis::encode(kWord).bytes;
    const int grepStatus = spawn({"grep", "-rF", sjisWord, QFile::encodeName(root)}, {"LC_ALL=C"});
    const double grepMs =
        best([&] { spawn({"grep", "-rF", sjisWord, QFile::encodeName(root)}, {"LC_ALL=C"}); }, &grepCpu);

    // The engine alone, and with a word for which every memo must be decoded.
    QFile f(treeFile);
    f.open(QIODevice::ReadOnly);
    QList<TextSearch::Node> nodes;
    for (const TreeLine &line : parseTreeFile(f.readAll()).nodes)
        nodes.append({line.level, line.text});
    GlobalInit(exeDir + QStringLiteral("/orvane"));
    MemoExtList = {QStringLiteral("TXT")};
    TextSearch::Query query;
    query.word = kWord;
    int hits = 0;
    const double engineMs = best([&] { hits = TextSearch::run(nodes, root, query).hits; });
    query.word = QStringLiteral("∵検索語"); // ∵ has two codes in code page 932
    const double decodeAllMs = best([&] { TextSearch::run(nodes, root, query); });

    // The window: dialog answered at once, engine, result list filled.
    AnsweringUi port;
    setUiPort(&port);
    TOrvaneF window(exeDir + QStringLiteral("/orvane"), {treeFile});
    window.FormActivate();
    const double windowMs = best([&] { window.ToolButtonSClick(); });
    const int listLines = window.MemoF->blockCount();
    setUiPort(nullptr);

    std::printf("hits: %d (orvane-cli exit %d, grep exit %d), result list lines: %d\n", hits, cliStatus,
                grepStatus, listLines);
    std::printf("                                        wall       cpu (user+sys)\n");
    std::printf("orvane-cli search:                    %8.1f ms  %8.1f ms\n", cliMs, cliCpu);
    std::printf("LC_ALL=C grep -rF (Shift-JIS bytes):  %8.1f ms  %8.1f ms\n", grepMs, grepCpu);
    std::printf("ratio orvane-cli / grep: wall %.2f, cpu %.2f  (aim: at most 2)\n", cliMs / grepMs, cliCpu / grepCpu);
    std::printf("engine alone:                         %8.1f ms\n", engineMs);
    std::printf("window (engine + result list):        %8.1f ms\n", windowMs);
    std::printf("engine, every memo decoded:           %8.1f ms  (ratio to grep %.2f)\n", decodeAllMs,
                decodeAllMs / grepMs);
    return 0;
}
