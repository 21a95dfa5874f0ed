// The search command and the jump to a hit. The walk is done by the core engine on the
// files on disk; the window only saves the current node first, fills the result list and
// moves the selection when the user jumps. Nothing is shown, selected or repainted per
// node, so the views and the current node stay as they were during the walk.

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/globals.h"
#include "base/uiport.h"
#include "search/textsearch.h"
#include "tree/nodekind.h"
#include "tree/ui/nodetreewidget.h"

#include <QAction>
#include <QEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidgetItemIterator>

namespace {

// Runs the jump when the result list is double-clicked, after the caret has moved to the
// clicked line. The second pane keeps the ordinary double click (word selection).
class ResultListClicks : public QObject
{
public:
    explicit ResultListClicks(TOrvaneF *window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonDblClick || !m_window->searchResultsShown())
            return QObject::eventFilter(watched, event);
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return QObject::eventFilter(watched, event);
        QPlainTextEdit *list = m_window->MemoF;
        list->setTextCursor(list->cursorForPosition(mouse->position().toPoint()));
        m_window->MemoFDblClick();
        return true;
    }

private:
    TOrvaneF *m_window;
};

// Selects length characters from position in a text view's document, as far as it goes.
template <typename View>
void selectInView(View *view, int position, int length)
{
    QTextCursor cursor(view->document());
    const int end = view->document()->characterCount() - 1;
    cursor.setPosition(qBound(0, position, end));
    cursor.setPosition(qBound(0, position + length, end), QTextCursor::KeepAnchor);
    view->setTextCursor(cursor);
    view->setFocus();
    view->ensureCursorVisible();
}

} // namespace

void TOrvaneF::connectSearch()
{
    connect(ToolButtonS, &QAction::triggered, this, &TOrvaneF::ToolButtonSClick);
    connect(MenuTooLF, &QAction::triggered, this, &TOrvaneF::ToolButtonSClick);
    MemoF->viewport()->installEventFilter(new ResultListClicks(this));
}

void TOrvaneF::ToolButtonSClick()
{
    TreeView();
    setStatus(2, QString());
    if (!ui().runSearchDialog(Search) || Search.word.isEmpty()) {
        ui().beep();
        setStatus(2, QStringLiteral("検索文字列を入力して下さい。"));
        return;
    }
    PageControl1->setTabText(0, QStringLiteral("検索"));
    // The walk reads the files, not the views: the current node goes to its file first.
    // A view that could not be written stays as it is; the walk never replaces it.
    TSaveNode(NodeName);

    ShowTabs(false);
    PanelB->show();
    BottomPanelOn = true;
    PageControl1->setTabVisible(0, true);
    PageControl1->setCurrentIndex(0);
    PageControl1->show();

    // The tree as the engine walks it: one pass over the items, nothing selected.
    QList<TextSearch::Node> nodes;
    int selected = -1;
    QTreeWidgetItem *current = TreeView1->currentItem();
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        if (*it == current)
            selected = int(nodes.size());
        nodes.append({levelOf(*it), (*it)->text(0)});
    }
    TextSearch::Query query;
    query.word = Search.word;
    query.inMemo = Search.inMemo;
    query.inRich = Search.inRich;
    query.inComment = Search.inComment;
    query.allNodes = Search.allNodes;
    query.startIndex = selected;

    TreeBusy = true;
    const TextSearch::Result result = TextSearch::run(nodes, BaseDir, query);
    TreeBusy = false;

    MemoF->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoF->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MemoF->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MemoF->setReadOnly(true);
    MemoF->setPlainText(result.lines.join(u'\n'));

    // Word wrap goes off after a search, so that a hit's line is one line in its view.
    Cfg.MemoWrap = false;
    ApplyMemoWrap();
}

void TOrvaneF::MemoFDblClick()
{
    if (!searchResultsShown())
        return;
    const QTextBlock block = MemoF->textCursor().block();
    if (block.blockNumber() <= 1 || block.text().isEmpty())
        return;
    const std::optional<TextSearch::HitRef> hit = TextSearch::parseHitLine(block.text());
    if (!hit)
        return;
    QTreeWidgetItem *node = nodeAt(hit->index);
    if (!node)
        return;
    TreeView1->setCurrentItem(node);
    TreeView();
    TreeView1->setFocus();
    if (TreeView1->currentItem() != node || !TreeReady)
        return; // the node left could not be written and stays selected
    const int width = int(Search.word.size());
    if (NodeKind == KindRich) {
        selectInView(RichEdit1, hit->offset, width);
        return;
    }
    // A node with nothing on disk shows no view, even when its comment was found.
    QPlainTextEdit *view = NodeKind == KindMemo ? Memo1 : NodeKind == KindImage ? MemoG
                         : NodeKind == KindOle ? MemoOLE : nullptr;
    if (!view || !view->isVisibleTo(this))
        return;
    const int caret = TextSearch::lineCaret(view->toPlainText(), hit->line, Search.word);
    if (caret >= 0)
        selectInView(view, caret, width);
}
