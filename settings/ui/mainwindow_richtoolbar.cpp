// The rich-text toolbar: font name, size, bold, italic, underline and colour for the
// selection of RichEdit1. Every action applies the whole toolbar font (see
// RichToolbarFont); the toolbar does not follow the selection.

#include "app/ui/mainwindow.h"

#include "base/colortext.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTextEdit>

namespace {

// The colour box starts on this one.
const QString StartColour = QStringLiteral("clScrollBar");

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 11, 11);
    return QIcon(pixmap);
}

QString sizeText(qreal points)
{
    return QString::number(points, 'g', 4);
}

// Applies the toolbar font to the selection, or to what is typed next when nothing is
// selected.
void applyToolbarFont(TOrvaneF &w)
{
    if (w.RichEdit1->isReadOnly())
        return; // no rich-text file is shown
    w.RichEdit1->mergeCurrentCharFormat(w.RToolFont.charFormat());
}

} // namespace

void TOrvaneF::setupRichToolbar()
{
    RFontName->setFixedWidth(113);
    // Skipped by the Tab key (the typing field inside takes the focus for the box).
    RFontName->setFocusPolicy(Qt::ClickFocus);
    RFontName->lineEdit()->setFocusPolicy(Qt::ClickFocus);
    {
        const QSignalBlocker quiet(RFontSize);
        RFontSize->clear();
        for (const int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
            RFontSize->addItem(QString::number(size));
    }
    {
        // Standard, extra and system colours by their plain names; no custom entry.
        const QSignalBlocker quiet(RFontColorBox);
        RFontColorBox->clear();
        for (const QString &name : ColorText::pickerNames() + ColorText::systemColorNames())
            RFontColorBox->addItem(swatch(ColorText::toColor(name)), name.mid(2), name);
        RFontColorBox->setCurrentIndex(RFontColorBox->findData(StartColour));
        // Narrow enough to stay on the toolbar; the list shows the names whole.
        RFontColorBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        RFontColorBox->setMinimumContentsLength(9);
        RFontColorBox->view()->setMinimumWidth(RFontColorBox->view()->sizeHintForColumn(0) + 24);
    }

    connect(RFontName, &QComboBox::currentTextChanged, this, &TOrvaneF::RFontNameChange);
    connect(RFontSize, &QComboBox::currentTextChanged, this, &TOrvaneF::RFontSizeChange);
    connect(ToolButtonRB, &QAction::triggered, this, &TOrvaneF::ToolButtonRBClick);
    connect(ToolButtonRI, &QAction::triggered, this, &TOrvaneF::ToolButtonRIClick);
    connect(ToolButtonRU, &QAction::triggered, this, &TOrvaneF::ToolButtonRUClick);
    connect(RFontColorBox, &QComboBox::currentIndexChanged, this, &TOrvaneF::RFontColorBoxChange);
}

void TOrvaneF::RichToolbarActivate()
{
    RToolFont = RichToolbarFont{};
    const QFont font = RichEdit1->currentCharFormat().font().resolve(RichEdit1->document()->defaultFont());
    const QString name = font.families().value(0, font.family());
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    // Showing the caret's font is not a choice of the user: nothing is applied.
    const QSignalBlocker quietName(RFontName);
    const QSignalBlocker quietSize(RFontSize);
    RFontName->setEditText(name);
    RFontSize->setEditText(sizeText(points));
}

void TOrvaneF::RFontSet()
{
    RToolFont.name = RFontName->currentText();
    RToolFont.pointSize = toolbarSizeOf(RFontSize->currentText());
    RToolFont.color = ColorText::toColor(RFontColorBox->currentData().toString());
}

void TOrvaneF::RFontNameChange()
{
    RFontSet();
    RToolFont.style = RichToolbarFont::Style::Plain;
    applyToolbarFont(*this);
}

void TOrvaneF::RFontSizeChange()
{
    RFontSet();
    RToolFont.style = RichToolbarFont::Style::Plain;
    applyToolbarFont(*this);
}

void TOrvaneF::ToolButtonRBClick()
{
    RFontSet();
    RToolFont.style = RichToolbarFont::Style::Bold;
    applyToolbarFont(*this);
}

void TOrvaneF::ToolButtonRIClick()
{
    RFontSet();
    RToolFont.style = RichToolbarFont::Style::Italic;
    applyToolbarFont(*this);
}

void TOrvaneF::ToolButtonRUClick()
{
    RFontSet();
    RToolFont.style = RichToolbarFont::Style::Underline;
    applyToolbarFont(*this);
}

void TOrvaneF::RFontColorBoxChange()
{
    RFontSet(); // the style stays as the last action left it
    applyToolbarFont(*this);
}
