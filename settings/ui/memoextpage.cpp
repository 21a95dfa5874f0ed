#include "settings/ui/memoextpage.h"

#include "base/fontchoice.h"
#include "base/programfiles.h"
#include "base/uiport.h"
#include "settings/memoextregistry.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "settings/ui/upperlineedit.h"

namespace {

const QString kNoRow = QStringLiteral("No");

} // namespace

MemoExtPage::MemoExtPage(QWidget *parent)
    : SettingsPage(parent)
{
    auto *layout = new QHBoxLayout(this);
    ValueListEditor1 = new QTableWidget(0, 2, this);
    ValueListEditor1->setObjectName(QStringLiteral("ValueListEditor1"));
    ValueListEditor1->setHorizontalHeaderLabels({QStringLiteral("ﾌｧｲﾙ拡張子"), QStringLiteral("コメント")});
    ValueListEditor1->verticalHeader()->hide();
    ValueListEditor1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ValueListEditor1->setSelectionMode(QAbstractItemView::SingleSelection);
    ValueListEditor1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                      | QAbstractItemView::AnyKeyPressed);
    QFont gridFont = FontChoice::viewFont(QStringLiteral("ＭＳ 明朝"), 9);
    gridFont.setPixelSize(12);
    ValueListEditor1->setFont(gridFont);
    ValueListEditor1->verticalHeader()->setDefaultSectionSize(16);
    ValueListEditor1->horizontalHeader()->setStretchLastSection(true);
    ValueListEditor1->setColumnWidth(0, 68);
    ValueListEditor1->setFixedWidth(68 + 127 + 2 * ValueListEditor1->frameWidth() + 16);
    layout->addWidget(ValueListEditor1);

    auto *entry = new QGridLayout;
    layout->addLayout(entry);
    LabExNo = new QLabel(kNoRow, this);
    LabExNo->setObjectName(QStringLiteral("LabExNo"));
    EditEx = new UpperLineEdit(this);
    EditEx->setObjectName(QStringLiteral("EditEx"));
    EditEx->setText(QStringLiteral("拡張子"));
    EditEx->setFixedWidth(80);
    EditExCo = new QLineEdit(this);
    EditExCo->setObjectName(QStringLiteral("EditExCo"));
    EditExCo->setText(QStringLiteral("コメント"));
    Button1 = new QPushButton(QStringLiteral("追加"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("削除"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = new QPushButton(QStringLiteral("保存"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    entry->addWidget(LabExNo, 0, 0);
    entry->addWidget(EditEx, 0, 1);
    entry->addWidget(EditExCo, 0, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addStretch(1);
    entry->addLayout(buttons, 1, 0, 1, 3);
    entry->setRowStretch(2, 1);
    entry->setColumnStretch(2, 1);

    // The grid's built-in content, kept when no registry file exists.
    setEntries({QStringLiteral("TXT=テキスト")});

    connect(ValueListEditor1, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row >= 0)
            ValueListEditor1SelectCell(row + 1);
    });
    connect(ValueListEditor1, &QTableWidget::cellClicked, this,
            [this](int row, int) { ValueListEditor1SelectCell(row + 1); });
    connect(Button1, &QPushButton::clicked, this, &MemoExtPage::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &MemoExtPage::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &MemoExtPage::Button3Click);
}

void MemoExtPage::appendRow(const QString &ext, const QString &comment)
{
    const int row = ValueListEditor1->rowCount();
    ValueListEditor1->insertRow(row);
    auto *extItem = new QTableWidgetItem(ext);
    extItem->setFlags(extItem->flags() & ~Qt::ItemIsEditable);
    ValueListEditor1->setItem(row, 0, extItem);
    ValueListEditor1->setItem(row, 1, new QTableWidgetItem(comment));
}

void MemoExtPage::setEntries(const QStringList &lines)
{
    const QSignalBlocker block(ValueListEditor1);
    ValueListEditor1->setRowCount(0);
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        appendRow(eq < 0 ? line : line.left(eq), eq < 0 ? QString() : line.mid(eq + 1));
    }
}

QStringList MemoExtPage::entries() const
{
    QStringList lines;
    for (int r = 0; r < ValueListEditor1->rowCount(); ++r) {
        const QTableWidgetItem *ext = ValueListEditor1->item(r, 0);
        const QTableWidgetItem *comment = ValueListEditor1->item(r, 1);
        lines.append((ext ? ext->text() : QString()) + u'=' + (comment ? comment->text() : QString()));
    }
    return lines;
}

void MemoExtPage::ValueListEditor1SelectCell(int row)
{
    if (row < 1 || row > ValueListEditor1->rowCount())
        return;
    LabExNo->setText(QString::number(row));
    EditEx->setText(ValueListEditor1->item(row - 1, 0)->text());
    EditExCo->setText(ValueListEditor1->item(row - 1, 1)->text());
}

void MemoExtPage::resetEntry()
{
    LabExNo->setText(kNoRow);
    EditEx->clear();
    EditExCo->clear();
}

void MemoExtPage::Button1Click()
{
    emit status(QString());
    if (LabExNo->text() == kNoRow) {
        emit status(QStringLiteral("一覧をｸﾘｯｸし､追加内容を編集して下さい"));
        return;
    }
    const QString ext = EditEx->text().toUpper();
    EditEx->setText(ext);
    // The file keeps an entry as extension "=" comment: these could not come back.
    const QString refusal = MemoExtRefusal(ext);
    if (!refusal.isEmpty()) {
        emit status(refusal);
        return;
    }
    for (int r = 0; r < ValueListEditor1->rowCount(); ++r) {
        if (ValueListEditor1->item(r, 0)->text() == ext) {
            emit status(ext + QStringLiteral("既に登録されています"));
            return;
        }
    }
    appendRow(ext, EditExCo->text());
    emit status(QStringLiteral("ﾃｷｽﾄ拡張子=") + ext + QStringLiteral("を追加しました"));
    resetEntry();
}

void MemoExtPage::Button2Click()
{
    emit status(QString());
    if (LabExNo->text() == kNoRow) {
        emit status(QStringLiteral("一覧をｸﾘｯｸし､削除する拡張子を選択して下さい"));
        return;
    }
    const int row = LabExNo->text().toInt();
    if (row == 1) {
        emit status(QStringLiteral("拡張子=TXTは削除できません"));
        return;
    }
    if (row < 1 || row > ValueListEditor1->rowCount())
        return;
    const QString ext = EditEx->text();
    {
        const QSignalBlocker block(ValueListEditor1);
        ValueListEditor1->removeRow(row - 1);
    }
    emit status(QStringLiteral("ﾃｷｽﾄ拡張子=") + ext + QStringLiteral("を削除しました"));
    resetEntry();
}

void MemoExtPage::Button3Click()
{
    emit status(QString());
    const QString path = ProgramFiles::writePath(QLatin1String(MemoExtFileName));
    QString error;
    if (!MemoExtWriteEntries(path, entries(), &error)) {
        // MemoExtList and the file stay as they were.
        ui().reportError(error);
        return;
    }
    MemoExtLoad(path);
    emit saved();
    emit status(QStringLiteral("ﾃｷｽﾄ拡張子設定ﾌｧｲﾙ=\\Res\\MemoFEX.ini を保存しました"));
}
