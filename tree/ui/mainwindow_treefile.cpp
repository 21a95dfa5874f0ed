// The tree file and the tree control: reading, writing, opening and creating trees,
// and the walk that gives every node its icon.

#include "app/ui/mainwindow.h"

#include "base/diskfile.h"
#include "base/globals.h"
#include "base/programfiles.h"
#include "base/memoryrelease.h"
#include "base/sjiscodec.h"
#include "base/uiport.h"
#include "tree/anicursor.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/treefile.h"
#include "tree/ui/nodetreewidget.h"

#include <QDateTime>
#include <QFileInfo>

namespace {
// The name's bytes as read from the tree file, kept only where encoding the name would
// not give them back (the rest are written from their text, to the same bytes).
constexpr int RawNameRole = Qt::UserRole + 2;

const QString kOrvanFilter = QStringLiteral("Orvanﾌｧｲﾙ (*.Orvan)");
const QString kOrvanFilterNew = QStringLiteral("Orvanファイル (*.Orvan)");
} // namespace

void TOrvaneF::fillTree(const QList<TreeLine> &nodes)
{
    QList<QTreeWidgetItem *> roots;
    QList<QTreeWidgetItem *> lastAtLevel;
    for (const TreeLine &line : nodes) {
        QTreeWidgetItem *item = NodeTreeWidget::newNodeItem(line.text);
        if (!line.raw.isEmpty() && Sjis::encode(line.text).bytes != line.raw)
            item->setData(0, RawNameRole, line.raw);
        lastAtLevel.resize(line.level + 1);
        lastAtLevel[line.level] = item;
        if (line.level == 0)
            roots.append(item);
        else
            lastAtLevel[line.level - 1]->addChild(item);
    }
    TreeView1->addTopLevelItems(roots);
}

bool TOrvaneF::TreeWrite()
{
    // Said once, when the read failed; every later write is refused without a word.
    if (m_treeReadFailed)
        return false;
    // Straight from the tree control into the file's bytes: a large tree is not copied
    // into a list of lines first.
    TreeWriter writer(qsizetype(nodeCount()) * 32);
    TreeView1->forEachNode([&writer](QTreeWidgetItem *item, int level) {
        const QVariant raw = item->data(0, RawNameRole);
        writer.add(level, item->text(0), raw.isValid() ? raw.toByteArray() : QByteArray());
    });
    const TreeWriteResult out = writer.finish();
    if (!out.ok) {
        ui().reportError(QStringLiteral("Treeﾌｧｲﾙ %1 に保存できない文字がノード名にあります: %2")
                             .arg(TreeFileName, out.unencodable));
        return false;
    }
    if (m_treeDropsBytes && out.bytes == m_treeAsRead)
        return true; // untouched: the file keeps the bytes the tree cannot hold
    // Another program may have changed the tree file since it was read or last written;
    // its version is not written over. A file deleted meanwhile is made again from the
    // tree on screen.
    const DiskFile::ReadResult now = DiskFile::read(TreeFileName);
    if (m_treeFileKnown && now.ok && now.bytes != m_treeFileBytes) {
        if (!m_quietTreeWrite)
            ui().reportError(QStringLiteral("Treeﾌｧｲﾙ %1 は他のプログラムで変更されています。\r"
                                            "変更を上書きしないため、ツリーの変更は保存しませんでした。\r"
                                            "Treeﾌｧｲﾙを開き直してください。")
                                 .arg(TreeFileName));
        return false;
    }
    if (m_treeDropsBytes && !keepOriginalTreeFile())
        return false;
    QString error;
    if (!DiskFile::writeAtomic(TreeFileName, out.bytes, &error)) {
        if (!m_quietTreeWrite)
            ui().reportError(error);
        return false;
    }
    if (m_treeFileKnown && !now.ok && !m_quietTreeWrite)
        ui().showMessage(QStringLiteral("Treeﾌｧｲﾙ %1 が削除されていたため、表示中のツリーで作り直しました。").arg(TreeFileName));
    m_treeFileBytes = out.bytes;
    m_treeFileKnown = true;
    return true;
}

bool TOrvaneF::keepOriginalTreeFile()
{
    const DiskFile::ReadResult original = DiskFile::read(TreeFileName);
    QString error = original.error;
    if (original.ok) {
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QString kept = TreeFileName + u'.' + stamp + QStringLiteral(".bak");
        for (int n = 2; QFileInfo::exists(kept); ++n)
            kept = TreeFileName + u'.' + stamp + u'-' + QString::number(n) + QStringLiteral(".bak");
        if (DiskFile::writeAtomic(kept, original.bytes, &error)) {
            m_treeDropsBytes = false;
            m_treeAsRead.clear();
            ui().showMessage(QStringLiteral("Treeﾌｧｲﾙ %1 にはツリーに入らない部分 (NUL 以降) があるため、"
                                            "書き込む前に元のファイルを %2 に残しました。")
                                 .arg(TreeFileName, kept));
            return true;
        }
    }
    ui().reportError(QStringLiteral("Treeﾌｧｲﾙ %1 の元のファイルを残せないため、書き込みません。(%2)")
                         .arg(TreeFileName, error));
    return false;
}

// Reads a tree file into the tree control. On a level error the nodes before the bad
// line stay; on any failure the file is marked so that it is never written over.
static bool readTreeInto(const QString &path, QList<TreeLine> *nodesOut, QString *error, bool *opened,
                         bool *dropsBytes, QByteArray *bytesOut)
{
    const DiskFile::ReadResult file = DiskFile::read(path);
    *opened = file.ok;
    if (!file.ok) {
        *error = file.error;
        return false;
    }
    *bytesOut = file.bytes;
    TreeReadResult parsed = parseTreeFile(file.bytes);
    *nodesOut = std::move(parsed.nodes);
    if (dropsBytes)
        *dropsBytes = parsed.dropsBytes;
    if (!parsed.ok) {
        *error = parsed.errorMessage();
        return false;
    }
    return true;
}

bool TOrvaneF::OpenTree(const QString &path)
{
    LoadBusyCursor();
    TreeBusy = true;
    QList<TreeLine> nodes;
    QString error;
    bool fileOpened = false;
    bool dropsBytes = false;
    QByteArray bytes;
    const bool read = readTreeInto(path, &nodes, &error, &fileOpened, &dropsBytes, &bytes);
    if (fileOpened) {
        // A file that could be opened replaces the tree, even when a level error
        // stopped the reading part way.
        TreeView1->setUpdatesEnabled(false);
        TreeView1->clear();
        fillTree(nodes);
        TreeView1->setUpdatesEnabled(true);
    }
    if (!read) {
        // A file that could not even be opened leaves the previous tree on screen; it
        // must not go into that file when TreeFileName already names it.
        if (fileOpened || QFileInfo(path).absoluteFilePath() == QFileInfo(TreeFileName).absoluteFilePath()) {
            m_treeReadFailed = true;
            error += u'\n' + QStringLiteral("Treeﾌｧｲﾙ %1 は読み込みに失敗したため、書き込みません。").arg(path);
        }
        RestoreCursor();
        ui().reportError(error);
        return false; // TreeBusy stays set: selections are ignored until a tree is read whole
    }
    m_treeReadFailed = false;
    // The bytes the tree cannot hold stay on disk until the tree is changed; then the
    // original is kept beside the file before the first write.
    m_treeDropsBytes = dropsBytes;
    m_treeAsRead = dropsBytes ? serializeTree(nodes).bytes : QByteArray();
    m_treeFileBytes = bytes;
    m_treeFileKnown = true;
    m_timerWriteFailed = false;
    TreeBusy = false;
    nodes = {};
    BaseDir = QFileInfo(path).absolutePath();
    TreeReady = false;
    AddHistory(path);
    setWindowTitle(ProgName + QStringLiteral("：") + path);
    HideContentPanels();
    TreeIni();
    ReturnFreedMemory(); // what reading and classifying a large tree left behind
    RestoreCursor();
    return true;
}

void TOrvaneF::TreeIni()
{
    if (TreeView1->topLevelItemCount() == 0) {
        TreeReady = true;
        return;
    }
    TreeView1->hide();
    TreeBusy = true;
    // Pre-order: a node's file-system folder was made when its parent was visited.
    QList<QString> fsFolderAtDepth{NodePaths::folderFsPath(BaseDir, QStringLiteral("\\"))};
    int count = 0;
    TreeView1->forEachNode([&](QTreeWidgetItem *item, int depth) {
        ++count;
        const QString name = item->text(0);
        const QString ext = NodePaths::extOf(name);
        const QString &fsFolder = fsFolderAtDepth.at(depth);
        const int kind = NodeTypeSet(NodePaths::entryFsPath(fsFolder, name), ext);
        setNodeIcon(item, iconIndexFor(kind, ext));
        if (item->childCount() > 0) {
            fsFolderAtDepth.resize(depth + 2);
            fsFolderAtDepth[depth + 1] = NodePaths::childFolderFsPath(fsFolder, name);
        }
    });
    TreeBusy = false;
    TreeView1->collapseAll();
    TreeView1->show();
    QTreeWidgetItem *first = TreeView1->topLevelItem(0);
    TreeView1->setCurrentItem(first);
    TreeView1->setFocus();

    NodePath = GetPateNode(first);
    NodeName = first->text(0);
    NodeExt = NodePaths::extOf(NodeName);
    NodeKind = NodeTypeSet(NodePaths::fullPath(BaseDir, NodePath, NodeName), NodeExt);
    TReadNode();
    setStatus(0, QStringLiteral("第%1階層").arg(1));
    setStatus(1, QStringLiteral(" %1/%2").arg(1).arg(count));
    TreeReady = true;
}

bool TOrvaneF::CreateAndLoadTree(const QString &path)
{
    if (QFileInfo::exists(path)) {
        ui().showMessage(QStringLiteral("新規作成ファイル=") + path + QStringLiteral("既にあります。"));
    } else {
        QString error;
        if (!DiskFile::writeAtomic(path, QByteArray(), &error)) {
            ui().reportError(error);
            return false;
        }
    }
    QList<TreeLine> nodes;
    QString error;
    bool opened = false;
    bool dropsBytes = false;
    QByteArray bytes;
    const bool read = readTreeInto(path, &nodes, &error, &opened, &dropsBytes, &bytes);
    m_treeFileBytes = bytes;
    m_treeFileKnown = read;
    TreeView1->clear();
    fillTree(nodes);
    m_treeDropsBytes = dropsBytes;
    m_treeAsRead = dropsBytes ? serializeTree(nodes).bytes : QByteArray();
    if (!read)
        ui().reportError(error);
    return read;
}

void TOrvaneF::LoadBusyCursor()
{
    if (!m_busyCursor->start(ProgramFiles::readPath(QStringLiteral("Res/Ac.ani"))))
        ui().showMessage(QStringLiteral("アニメーションカーソルが読み込めません"));
}

void TOrvaneF::RestoreCursor()
{
    m_busyCursor->stop();
}

void TOrvaneF::ToolButtonTOClick()
{
    const QString chosen = ui().openFileName(QStringLiteral("Orvanファイル開く"), BaseDir, kOrvanFilter,
                                             QStringLiteral("Orvan"));
    if (chosen.isEmpty())
        return;
    HideContentPanels();
    ButtonCENDClick();
    if (NodePaths::extOf(chosen) != u"ORVAN") {
        setStatus(2, QStringLiteral("拡張子がOrvanでありません"));
        ui().beep();
        return;
    }
    if (!QFileInfo::exists(chosen)) {
        setStatus(2, QStringLiteral("Orvanファイルがありません"));
        ui().beep();
        return;
    }
    if (!TSaveNode(NodeName))
        return; // the view holds text that could not be written; it stays
    TreeWrite();
    NodePath.clear();
    NodeName.clear();
    TreeFileName = QFileInfo(chosen).absoluteFilePath();
    OpenTree(TreeFileName);
}

void TOrvaneF::ToolButtonTNClick()
{
    const QString chosen = ui().saveFileName(QStringLiteral("Orvan新規作成"), BaseDir, kOrvanFilterNew,
                                             QStringLiteral("Orvan"));
    if (chosen.isEmpty())
        return;
    if (NodePaths::extOf(chosen) != u"ORVAN") {
        setStatus(2, QStringLiteral("拡張子がOrvanでありません"));
        ui().beep();
        return;
    }
    if (QFileInfo::exists(chosen)) {
        setStatus(2, QStringLiteral("Orvanファイルが既にあります"));
        ui().beep();
        return;
    }
    if (!TSaveNode(NodeName))
        return; // the view holds text that could not be written; it stays
    TreeWrite();
    const QString path = QFileInfo(chosen).absoluteFilePath();
    QString error;
    if (!DiskFile::writeAtomic(path, QByteArray(), &error)) {
        ui().reportError(error);
        return; // the current tree stays, its node still saved on leaving
    }
    NodeName.clear();
    OpenTree(path);
    TreeFileName = path;
    NodePath.clear();
    NodeName.clear();
}
