// The view settings applied to the controls: the tree's style, font and colours, the
// memos' fonts, colours, word wrap and tab width. Every activation that runs the start-up
// work applies them all; the settings pages apply the one that changed.

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/colortext.h"
#include "base/fontchoice.h"
#include "app/ui/treebranchstyle.h"
#include "tree/ui/nodetreewidget.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>

namespace {

QColor colorOr(const QString &text, const QString &fallback)
{
    const QColor c = ColorText::toColor(text);
    return c.isValid() ? c : ColorText::toColor(fallback);
}

// Font, text colour and background of a view. A colour text that names no colour shows
// the default colour; the stored text stays as written.
void applyFontAndColors(QWidget *view, const ViewFontSettings &s)
{
    const ViewFontSettings defaults;
    view->setFont(FontChoice::viewFont(s.FontName, s.FontSize));
    QPalette p = view->palette();
    const QColor text = colorOr(s.FontColor, defaults.FontColor);
    const QColor back = colorOr(s.BackColor, defaults.BackColor);
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Text, text);
        p.setColor(g, QPalette::Base, back);
    }
    p.setColor(QPalette::Disabled, QPalette::Base, back);
    view->setPalette(p);
}

// The width of an average character of the font, as dialog units count it: the mean
// advance of the 52 Latin letters.
qreal averageCharWidth(const QFont &font)
{
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return QFontMetricsF(font).horizontalAdvance(letters) / letters.size();
}

void setWrap(QPlainTextEdit *memo, bool wrap)
{
    memo->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace

void TOrvaneF::ApplyViewSettings()
{
    ApplyTreeSettings();
    ApplyMemoSettings();
    ApplyMemoWrap();
    ApplyCommentMemoSettings();
}

void TOrvaneF::ApplyTreeSettings()
{
    if (!qobject_cast<TreeBranchStyle *>(TreeView1->style())) {
        auto *style = new TreeBranchStyle;
        style->setParent(TreeView1);
        TreeView1->setStyle(style);
    }
    TreeView1->setRootIsDecorated(Cfg.TreeRootSW);
    TreeBranchStyle::setSwitches(TreeView1, Cfg.TreeLineSW, Cfg.TreeButtonSW);
    applyFontAndColors(TreeView1, Cfg.Tree);
}

void TOrvaneF::ApplyMemoSettings()
{
    applyFontAndColors(Memo1, Cfg.Memo);
    // Tab stops every n average characters; 0 (or less) keeps the usual eight.
    const int chars = Cfg.MemoTabWidth > 0 ? Cfg.MemoTabWidth : 8;
    Memo1->setTabStopDistance(chars * averageCharWidth(Memo1->font()));
}

void TOrvaneF::ApplyMemoWrap(bool bottomMemoToo)
{
    for (QPlainTextEdit *memo : {Memo1, MemoG, MemoOLE})
        setWrap(memo, Cfg.MemoWrap);
    if (bottomMemoToo)
        setWrap(MemoF, Cfg.MemoWrap);
}

void TOrvaneF::ApplyCommentMemoSettings()
{
    applyFontAndColors(MemoG, Cfg.ImageMemo);
    applyFontAndColors(MemoOLE, Cfg.OleMemo);
}
