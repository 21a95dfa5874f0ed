// The history menu "履歴(&R)": built from the history file at start, reordered by every
// opened tree, written with the settings, and opening a tree when an item is clicked.

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/globals.h"
#include "base/history.h"
#include "base/programfiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {
// The caption is the path itself; "&" is doubled so that it shows as written instead of
// marking an access key.
QString menuText(const QString &caption)
{
    QString text = caption;
    return text.replace(u'&', QStringLiteral("&&"));
}
} // namespace

// Gives the menu one item per entry; items are only ever added while the program runs.
static void showHistory(TOrvaneF *w)
{
    QList<QAction *> actions = w->MenuFTR->actions();
    while (actions.size() < w->HistoryItems.size()) {
        QAction *a = w->MenuFTR->addAction(QString());
        a->setObjectName(QStringLiteral("MenuFTR%1").arg(actions.size()));
        const int index = int(actions.size());
        QObject::connect(a, &QAction::triggered, w, [w, index] { w->MenuFTRNewClick(index); });
        actions.append(a);
    }
    for (qsizetype i = 0; i < w->HistoryItems.size(); ++i)
        actions[i]->setText(menuText(w->HistoryItems.at(i)));
}

void TOrvaneF::LoadHistory()
{
    // A missing history file is created, and so where writes go.
    QString file = ProgramFiles::readPath(TreeHistory::fileName());
    if (!QFileInfo::exists(file))
        file = ProgramFiles::writePath(TreeHistory::fileName());
    HistoryItems = TreeHistory::load(file, TreeFileName, Cfg.HistoryCount);
    showHistory(this);
}

void TOrvaneF::SaveHistory(QString *error)
{
    TreeHistory::save(ProgramFiles::writePath(TreeHistory::fileName()), HistoryItems, error);
}

void TOrvaneF::AddHistory(const QString &path)
{
    TreeHistory::add(HistoryItems, path, Cfg.HistoryCount);
    showHistory(this);
}

void TOrvaneF::MenuFTRNewClick(int item)
{
    if (item < 0 || item >= HistoryItems.size())
        return;
    const QString caption = HistoryItems.at(item);
    if (!TSaveNode(NodeName))
        return; // the view holds text that could not be written; it stays
    TreeWrite();
    HideContentPanels();
    ButtonCENDClick();
    if (caption == TreeHistory::newestCaption())
        return;
    NodeName.clear();
    TreeFileName = caption;
    OpenTree(TreeFileName);
}
