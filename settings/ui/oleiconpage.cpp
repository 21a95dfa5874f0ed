#include "settings/ui/oleiconpage.h"

#include "base/uiport.h"
#include "settings/iconimage.h"
#include "settings/ui/upperlineedit.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

const QString kOpenTitle = QStringLiteral("OLE ｱｲｺﾝ ｲﾒｰｼﾞ 追加");
// Program files first, as on Windows; icon files and pictures are how most icons come
// on this desktop.
const QString kOpenFilter = QStringLiteral("実行プログラム (*.EXE *.exe);;DLL (*.DLL *.dll);;"
                                           "ｱｲｺﾝ･画像 (*.ico *.ICO *.png *.PNG *.svg *.SVG);;"
                                           "すべて (*)");

} // namespace

OleIconPage::OleIconPage(QList<OleIconEntry> &entries, QWidget *parent)
    : SettingsPage(parent)
    , m_entries(entries)
{
    auto *layout = new QHBoxLayout(this);
    ListViewFX = new QTreeWidget(this);
    ListViewFX->setObjectName(QStringLiteral("ListViewFX"));
    ListViewFX->setColumnCount(2);
    ListViewFX->setHeaderLabels({QStringLiteral("拡張子"), QStringLiteral("コメント")});
    ListViewFX->setRootIsDecorated(false);
    ListViewFX->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewFX->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewFX->setFrameShape(QFrame::NoFrame);
    ListViewFX->setIconSize(QSize(16, 16));
    ListViewFX->header()->setSectionsClickable(false);
    ListViewFX->header()->setStretchLastSection(true);
    ListViewFX->setColumnWidth(0, 70);
    ListViewFX->setFixedWidth(225);
    ListViewFX->setStyleSheet(QStringLiteral("QTreeView::item { border-bottom: 1px solid #d0d0d0; }"));
    layout->addWidget(ListViewFX);

    auto *grid = new QGridLayout;
    layout->addLayout(grid, 1);
    ImageFX = new QLabel(this);
    ImageFX->setObjectName(QStringLiteral("ImageFX"));
    ImageFX->setFixedSize(20, 20);
    ImageFX->setAlignment(Qt::AlignCenter);
    ImageFX->setFrameShape(QFrame::Box);
    LabOleExNo = new QLabel(QStringLiteral("No:"), this);
    LabOleExNo->setObjectName(QStringLiteral("LabOleExNo"));
    SpinEditFX = new QSpinBox(this);
    SpinEditFX->setObjectName(QStringLiteral("SpinEditFX"));
    SpinEditFX->setRange(0, 20);
    EditFX = new UpperLineEdit(this);
    EditFX->setObjectName(QStringLiteral("EditFX"));
    EditFX->setFixedWidth(70);
    EditFXFile = new QLineEdit(this);
    EditFXFile->setObjectName(QStringLiteral("EditFXFile"));
    ButtonFXOpen = new QPushButton(QStringLiteral("Open"), this);
    ButtonFXOpen->setObjectName(QStringLiteral("ButtonFXOpen"));
    ButtonFXAdd = new QPushButton(QStringLiteral("追加"), this);
    ButtonFXAdd->setObjectName(QStringLiteral("ButtonFXAdd"));
    ButtonFXDel = new QPushButton(QStringLiteral("削除"), this);
    ButtonFXDel->setObjectName(QStringLiteral("ButtonFXDel"));
    ButtonFXSave = new QPushButton(QStringLiteral("保存"), this);
    ButtonFXSave->setObjectName(QStringLiteral("ButtonFXSave"));

    auto *top = new QHBoxLayout;
    top->addWidget(ImageFX);
    top->addWidget(LabOleExNo);
    top->addWidget(SpinEditFX);
    top->addWidget(ButtonFXOpen);
    top->addStretch(1);
    grid->addLayout(top, 0, 0, 1, 2);
    grid->addWidget(EditFX, 1, 0);
    grid->addWidget(EditFXFile, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonFXAdd);
    buttons->addWidget(ButtonFXDel);
    buttons->addWidget(ButtonFXSave);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);

    connect(ListViewFX, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            ListViewFXSelectItem(ListViewFX->indexOfTopLevelItem(item));
    });
    connect(ListViewFX, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { ListViewFXSelectItem(ListViewFX->indexOfTopLevelItem(item)); });
    connect(ButtonFXOpen, &QPushButton::clicked, this, &OleIconPage::ButtonFXOpenClick);
    connect(SpinEditFX, &QSpinBox::valueChanged, this, &OleIconPage::SpinEditFXChange);
    connect(ButtonFXAdd, &QPushButton::clicked, this, &OleIconPage::ButtonFXAddClick);
    connect(ButtonFXDel, &QPushButton::clicked, this, &OleIconPage::ButtonFXDelClick);
    connect(ButtonFXSave, &QPushButton::clicked, this, &OleIconPage::ButtonFXSaveClick);
}

void OleIconPage::showEntries()
{
    const QSignalBlocker block(ListViewFX);
    ListViewFX->clear();
    for (const OleIconEntry &e : std::as_const(m_entries)) {
        auto *item = new QTreeWidgetItem(ListViewFX, {e.ext, e.comment});
        item->setIcon(0, e.icon.isNull() ? m_generic : QIcon(QPixmap::fromImage(e.icon)));
    }
    ListViewFX->setCurrentItem(nullptr);
    ListViewFX->clearSelection();
    // The preview shows the last loaded icon, as after the loading at start.
    if (!m_entries.isEmpty() && m_preview.isNull())
        setPreview(m_entries.last().icon);
}

void OleIconPage::setNumber(int number)
{
    m_number = number;
    LabOleExNo->setText(number > 0 ? QStringLiteral("No:%1").arg(number) : QStringLiteral("No:"));
}

void OleIconPage::setPreview(const QImage &image)
{
    m_preview = image;
    ImageFX->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

void OleIconPage::ListViewFXSelectItem(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    m_iconPicked = false;
    setNumber(row + 1);
    const OleIconEntry &e = m_entries.at(row);
    EditFX->setText(e.ext);
    // The comment as it reads, so that adding from it does not wrap it in quotes.
    EditFXFile->setText(e.comment);
    setPreview(e.icon);
}

void OleIconPage::ButtonFXOpenClick()
{
    m_iconPicked = false;
    EditFX->clear();
    const QString dir = m_pickedFile.isEmpty() ? QString() : QFileInfo(m_pickedFile).absolutePath();
    const QString chosen = ui().openFileName(kOpenTitle, dir, kOpenFilter, QString());
    if (chosen.isEmpty())
        return;
    m_iconPicked = true;
    m_pickedFile = chosen;
    setNumber(int(m_entries.size()) + 1);
    EditFXFile->setText(QFileInfo(chosen).fileName());
    IconIDisp(chosen);
}

void OleIconPage::IconIDisp(const QString &path)
{
    setPreview(IconImage::fromFile(path, SpinEditFX->value()));
}

void OleIconPage::SpinEditFXChange()
{
    if (m_iconPicked)
        IconIDisp(m_pickedFile);
}

void OleIconPage::ButtonFXAddClick()
{
    const auto refuse = [this](const QString &text) {
        emit status(text);
        ui().beep();
    };
    if (EditFX->text().isEmpty())
        return refuse(QStringLiteral("ﾌｧｲﾙ拡張子が登録されていません"));
    if (EditFXFile->text().isEmpty())
        return refuse(QStringLiteral("ｺﾒﾝﾄが登録されていません"));
    if (m_preview.isNull())
        return refuse(QStringLiteral("ｱｲｺﾝが選択されていません"));
    // The icon stays in memory until "保存": writing it now could replace the icon
    // file of a saved entry that a deletion not yet saved has moved down.
    m_entries.append(OleIconEntry{EditFX->text(), EditFXFile->text(), m_preview});
    emit registryChanged();
    showEntries();
}

void OleIconPage::ButtonFXDelClick()
{
    QTreeWidgetItem *selected = ListViewFX->currentItem();
    if (!selected || !selected->isSelected())
        return;
    // The selected row: after "Open" the number shown belongs to no row yet.
    const int row = ListViewFX->indexOfTopLevelItem(selected);
    if (row < 0 || row >= m_entries.size())
        return;
    m_entries.removeAt(row);
    setNumber(0);
    emit registryChanged();
    showEntries();
}

void OleIconPage::ButtonFXSaveClick()
{
    QString error;
    if (!OleIconRegistry::save(m_entries, &error))
        ui().reportError(error);
}
