#include "export/ui/btxtoutf.h"

#include "base/programfiles.h"
#include "base/sjiscodec.h"
#include "base/uiport.h"
#include "export/bulkexport.h"
#include "export/outlinestyles.h"
#include "nodeops/functionu.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

const QString kSaveTitle = QStringLiteral("一括出力");
const QString kSaveFilter = QStringLiteral("テキスト (*.TXT)");
const QString kSaveSuffix = QStringLiteral("TXT");

QString settingsReadPath()
{
    return ProgramFiles::readPath(QLatin1String(BTxtOutIni::FileName));
}

QString settingsWritePath()
{
    return ProgramFiles::writePath(QLatin1String(BTxtOutIni::FileName));
}

int levelOf(const QTreeWidgetItem *item)
{
    int level = 1;
    for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        ++level;
    return level;
}

// The nearest folder of the path that exists: the file system a new file would go on.
QString existingAncestor(const QString &path)
{
    QFileInfo info(path);
    QString dir = info.absolutePath();
    while (!QFileInfo(dir).isDir()) {
        const QString up = QFileInfo(dir).absolutePath();
        if (up == dir)
            break;
        dir = up;
    }
    return dir;
}

QHBoxLayout *row(QVBoxLayout *column)
{
    auto *r = new QHBoxLayout;
    r->setSpacing(4);
    r->setContentsMargins(0, 0, 0, 0);
    column->addLayout(r);
    return r;
}

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TBTxtOutF::TBTxtOutF(const QTreeWidget *tree, const QString &treeFileName, QWidget *parent)
    : QDialog(parent), m_treeFileName(treeFileName)
{
    buildLayout();
    copyTree(tree);
    FormCreate();
}

void TBTxtOutF::buildLayout()
{
    setObjectName(QStringLiteral("TBTxtOutF"));
    setWindowTitle(QStringLiteral("ﾃｷｽﾄ一括出力"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(494, 550);
    QFont font(QStringLiteral("ＭＳ 明朝"));
    font.setPixelSize(12);
    setFont(font);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    Splitter1 = named(new QSplitter(Qt::Horizontal, this), "Splitter1");
    Splitter1->setHandleWidth(2);
    Splitter1->setChildrenCollapsible(false);
    outer->addWidget(Splitter1, 1);

    PanelTree = named(new QWidget(Splitter1), "PanelTree");
    auto *treeLayout = new QVBoxLayout(PanelTree);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    TreeView1 = named(new QTreeWidget(PanelTree), "TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setMinimumWidth(30);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setDragEnabled(false);
    // The selection stays visible while the focus is on the controls at the right.
    QPalette pal = TreeView1->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    TreeView1->setPalette(pal);
    treeLayout->addWidget(TreeView1);

    PanelC = named(new QWidget(Splitter1), "PanelC");
    Splitter1->setSizes({185, 494 - 185 - 2});
    Splitter1->setStretchFactor(1, 1);
    auto *c = new QVBoxLayout(PanelC);
    c->setContentsMargins(6, 4, 6, 4);
    c->setSpacing(2);

    Label1 = named(new QLabel(PanelC), "Label1");
    Label1->setWordWrap(true);
    c->addWidget(Label1);

    QHBoxLayout *r = row(c);
    Label2 = named(new QLabel(QStringLiteral("出力 --- "), PanelC), "Label2");
    Edit1 = named(new QLineEdit(PanelC), "Edit1");
    Button1 = named(new QPushButton(QStringLiteral("･･･"), PanelC), "Button1");
    Button1->setFixedWidth(24);
    r->addWidget(Label2);
    r->addWidget(Edit1, 1);
    r->addWidget(Button1);

    r = row(c);
    CheckBox1 = named(new QCheckBox(QStringLiteral("ALL"), PanelC), "CheckBox1");
    CheckBox1->setChecked(true);
    Label3 = named(new QLabel(QStringLiteral("出力ノード --- "), PanelC), "Label3");
    Edit2 = named(new QLineEdit(QStringLiteral("全て"), PanelC), "Edit2");
    Edit2->setReadOnly(true);
    r->addWidget(CheckBox1);
    r->addWidget(Label3);
    r->addWidget(Edit2, 1);

    r = row(c);
    Label4 = named(new QLabel(QStringLiteral("段落 ---------- "), PanelC), "Label4");
    ComboBox1 = named(new QComboBox(PanelC), "ComboBox1");
    ComboBox1->addItems(Outline::presetListTexts());
    r->addWidget(Label4);
    r->addWidget(ComboBox1, 1);

    r = row(c);
    ComboBox2 = named(new QComboBox(PanelC), "ComboBox2");
    for (int level = 1; level <= Outline::PresetLevels; ++level)
        ComboBox2->addItem(QStringLiteral("階層") + QString::number(level));
    ComboBox3 = named(new QComboBox(PanelC), "ComboBox3");
    ComboBox3->addItems(Outline::styleListTexts());
    r->addWidget(ComboBox2);
    r->addWidget(ComboBox3, 1);

    RadioGroup1 = named(new QGroupBox(QStringLiteral("6階層目以降の編集方法"), PanelC), "RadioGroup1");
    auto *radios = new QHBoxLayout(RadioGroup1);
    radios->setContentsMargins(6, 0, 6, 0);
    RadioGroup1Buttons = new QButtonGroup(this);
    const QStringList choices = {QStringLiteral("なし"), QStringLiteral("5階層と同一編集")};
    for (int i = 0; i < choices.size(); ++i) {
        auto *b = new QRadioButton(choices.at(i), RadioGroup1);
        b->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        RadioGroup1Buttons->addButton(b, i);
        radios->addWidget(b);
    }
    c->addWidget(RadioGroup1);

    CheckBox5 = named(new QCheckBox(QStringLiteral("区切り文字挿入"), PanelC), "CheckBox5");
    c->addWidget(CheckBox5);
    r = row(c);
    Label7 = named(new QLabel(QStringLiteral("区切り文字 ------- "), PanelC), "Label7");
    Edit3 = named(new QLineEdit(PanelC), "Edit3");
    r->addWidget(Label7);
    r->addWidget(Edit3, 1);

    CheckBox4 = named(new QCheckBox(QStringLiteral("インデント文字挿入"), PanelC), "CheckBox4");
    c->addWidget(CheckBox4);
    r = row(c);
    Label5 = named(new QLabel(QStringLiteral("インデント文字 --- "), PanelC), "Label5");
    Edit4 = named(new QLineEdit(PanelC), "Edit4");
    Label6 = named(new QLabel(QStringLiteral("(TAB=タブ)"), PanelC), "Label6");
    r->addWidget(Label5);
    r->addWidget(Edit4, 1);
    r->addWidget(Label6);
    r = row(c);
    Label9 = named(new QLabel(QStringLiteral("MaxインデントSet数 --- "), PanelC), "Label9");
    SpinEdit2 = named(new QSpinBox(PanelC), "SpinEdit2");
    SpinEdit2->setRange(1, 20);
    r->addWidget(Label9);
    r->addWidget(SpinEdit2);
    r->addStretch(1);
    CheckBox6 = named(new QCheckBox(QStringLiteral("本文･インデント追加"), PanelC), "CheckBox6");
    c->addWidget(CheckBox6);

    r = row(c);
    CheckBox2 = named(new QCheckBox(QStringLiteral("改ページ挿入"), PanelC), "CheckBox2");
    CheckBox2->setChecked(true); // as designed; opening unchecks it when PAGE is off
    Label8 = named(new QLabel(QStringLiteral("改ページ行数 --- "), PanelC), "Label8");
    SpinEdit1 = named(new QSpinBox(PanelC), "SpinEdit1");
    SpinEdit1->setRange(0, 100);
    r->addWidget(CheckBox2);
    r->addWidget(Label8);
    r->addWidget(SpinEdit1);
    r->addStretch(1);

    Memo1 = named(new QPlainTextEdit(PanelC), "Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c->addWidget(Memo1, 1);

    r = row(c);
    CheckBox3 = named(new QCheckBox(QStringLiteral("目次作成"), PanelC), "CheckBox3");
    Edit5 = named(new QLineEdit(PanelC), "Edit5");
    Button2 = named(new QPushButton(QStringLiteral("･･･"), PanelC), "Button2");
    Button2->setFixedWidth(24);
    r->addWidget(CheckBox3);
    r->addWidget(Edit5, 1);
    r->addWidget(Button2);

    r = row(c);
    Edit = named(new QPushButton(QStringLiteral("テキスト一括出力"), PanelC), "Edit");
    Button3 = named(new QPushButton(QStringLiteral("キャンセル"), PanelC), "Button3");
    Edit->setAutoDefault(false);
    Button3->setAutoDefault(false);
    r->addWidget(Edit, 1);
    r->addWidget(Button3);

    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusText = named(new QLabel(StatusBar1), "StatusText");
    StatusBar1->addWidget(StatusText, 1);
    outer->addWidget(StatusBar1);
    ProgressBar1 = named(new QProgressBar(StatusBar1), "ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->resize(150, 14);
    ProgressBar1->hide();

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TBTxtOutF::ComboBox1Change);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TBTxtOutF::ComboBox2Change);
    connect(ComboBox3, &QComboBox::currentIndexChanged, this, &TBTxtOutF::ComboBox3Change);
    connect(RadioGroup1Buttons, &QButtonGroup::idClicked, this, &TBTxtOutF::RadioGroup1Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TBTxtOutF::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TBTxtOutF::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::toggled, this, &TBTxtOutF::CheckBox3Click);
    connect(CheckBox4, &QCheckBox::toggled, this, &TBTxtOutF::CheckBox4Click);
    connect(CheckBox5, &QCheckBox::toggled, this, &TBTxtOutF::CheckBox5Click);
    connect(CheckBox6, &QCheckBox::toggled, this, &TBTxtOutF::CheckBox6Click);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TBTxtOutF::SpinEdit1Change);
    connect(SpinEdit2, &QSpinBox::valueChanged, this, &TBTxtOutF::SpinEdit2Change);
    connect(Edit3, &QLineEdit::textChanged, this, [this](const QString &t) { Settings.kugiri = t; });
    connect(Edit4, &QLineEdit::textChanged, this, [this](const QString &t) { Settings.indent = t; });
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TBTxtOutF::Memo1Change);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, &TBTxtOutF::TreeView1Change);
    connect(Button1, &QPushButton::clicked, this, &TBTxtOutF::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TBTxtOutF::Button2Click);
    connect(Edit, &QPushButton::clicked, this, &TBTxtOutF::EditClick);
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
    Edit1->installEventFilter(this);
    Edit5->installEventFilter(this);
}

void TBTxtOutF::copyTree(const QTreeWidget *tree)
{
    if (tree) {
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            TreeView1->addTopLevelItem(tree->topLevelItem(i)->clone());
    }
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        (*it)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_items.append(*it);
    }
}

void TBTxtOutF::FormCreate()
{
    ExportBusy = false;
    Label1->setText(QStringLiteral("入力 --- ") + m_treeFileName);
    Edit1->clear();
    Edit2->setText(QStringLiteral("全て"));

    QString error;
    const BulkExportSettings s = BTxtOutIni::load(settingsReadPath(), settingsWritePath(), &error);
    if (!error.isEmpty())
        ui().errorMessage(error);
    Settings = s;
    RadioGroup1Buttons->button(s.outEdit6)->setChecked(true);
    CheckBox5->setChecked(s.kugiSw);
    CheckBox5Click();
    CheckBox4->setChecked(s.indSw);
    CheckBox4Click();
    Edit3->setText(s.kugiri);
    Edit4->setText(s.indent);
    SpinEdit2->setValue(s.indMax);
    CheckBox6->setChecked(s.indAddSw);
    SpinEdit1->setValue(s.pageL);
    // Unchecking the box (checked as designed) sets the line count to 50.
    CheckBox2->setChecked(s.page);
    CheckBox2Click();
    CheckBox3->setChecked(s.mokuji);
    CheckBox3Click();
    // The memo's lines are the list: an empty last line needs a line break of its own.
    QString memo = s.sepa.join(u'\n');
    if (!s.sepa.isEmpty() && s.sepa.constLast().isEmpty())
        memo += u'\n';
    Memo1->setPlainText(memo);

    ComboBox1->blockSignals(true);
    ComboBox1->setCurrentIndex(s.outlin - 1);
    ComboBox1->blockSignals(false);
    ComboBox1Change();
}

void TBTxtOutF::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TBTxtOutF::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    QString error;
    if (!BTxtOutIni::save(settingsReadPath(), settingsWritePath(), Settings, &error))
        ui().errorMessage(error);
}

QString TBTxtOutF::statusText() const
{
    return StatusText->text();
}

void TBTxtOutF::setStatus(const QString &text)
{
    StatusText->setText(text);
}

void TBTxtOutF::refuse(const QString &text)
{
    setStatus(text);
    ui().beep();
}

// ---- change rules

void TBTxtOutF::ComboBox1Change()
{
    Settings.outlin = ComboBox1->currentIndex() + 1;
    const bool user = Settings.outlin == Outline::UserPreset;
    ComboBox2->setVisible(user);
    ComboBox3->setVisible(user);
    if (user) {
        if (ComboBox2->currentIndex() != 0)
            ComboBox2->setCurrentIndex(0); // shows the style of level 1
        else
            ComboBox2Change();
    }
}

void TBTxtOutF::ComboBox2Change()
{
    const int level = std::max(0, ComboBox2->currentIndex());
    ComboBox3->setCurrentIndex(Settings.outline[size_t(level)] - 1);
}

void TBTxtOutF::ComboBox3Change()
{
    const int level = std::max(0, ComboBox2->currentIndex());
    if (ComboBox3->currentIndex() >= 0)
        Settings.outline[size_t(level)] = ComboBox3->currentIndex() + 1;
}

void TBTxtOutF::RadioGroup1Click()
{
    Settings.outEdit6 = std::max(0, RadioGroup1Buttons->checkedId());
}

void TBTxtOutF::CheckBox5Click()
{
    Settings.kugiSw = CheckBox5->isChecked();
    Label7->setVisible(Settings.kugiSw);
    Edit3->setVisible(Settings.kugiSw);
}

void TBTxtOutF::CheckBox4Click()
{
    Settings.indSw = CheckBox4->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(Label5), static_cast<QWidget *>(Label6), static_cast<QWidget *>(Label9),
                       static_cast<QWidget *>(Edit4), static_cast<QWidget *>(SpinEdit2), static_cast<QWidget *>(CheckBox6)})
        w->setVisible(Settings.indSw);
}

void TBTxtOutF::SpinEdit2Change()
{
    Settings.indMax = SpinEdit2->value();
}

void TBTxtOutF::CheckBox6Click()
{
    Settings.indAddSw = CheckBox6->isChecked();
}

void TBTxtOutF::CheckBox2Click()
{
    Settings.page = CheckBox2->isChecked();
    if (!Settings.page) {
        Settings.pageL = 50;
        SpinEdit1->setValue(50);
    }
    Label8->setVisible(Settings.page);
    SpinEdit1->setVisible(Settings.page);
}

void TBTxtOutF::SpinEdit1Change()
{
    Settings.pageL = std::max(0, SpinEdit1->value());
}

void TBTxtOutF::Memo1Change()
{
    Settings.sepa = Sjis::splitLines(Memo1->toPlainText());
}

void TBTxtOutF::CheckBox3Click()
{
    Settings.mokuji = CheckBox3->isChecked();
    Edit5->setVisible(Settings.mokuji);
    Button2->setVisible(Settings.mokuji);
    setStatus(Settings.mokuji ? QStringLiteral("目次ファイル(*.TXT)を指定して下さい") : QString());
}

void TBTxtOutF::CheckBox1Click()
{
    if (CheckBox1->isChecked()) {
        Edit2->setText(QStringLiteral("全て"));
        return;
    }
    if (!TreeView1->currentItem() && !m_items.isEmpty())
        TreeView1->setCurrentItem(m_items.first());
    if (QTreeWidgetItem *item = TreeView1->currentItem())
        Edit2->setText(item->text(0));
}

void TBTxtOutF::TreeView1Change()
{
    if (ExportBusy || CheckBox1->isChecked())
        return;
    QTreeWidgetItem *item = TreeView1->currentItem();
    if (!item)
        return;
    Edit2->setText(item->text(0));
    setStatus(QStringLiteral("第") + QString::number(levelOf(item)) + QStringLiteral("階層"));
}

// ---- file fields

void TBTxtOutF::Button1Click()
{
    const QString start = Edit1->text().isEmpty() ? QFileInfo(m_treeFileName).absolutePath()
                                                  : QFileInfo(Edit1->text()).absolutePath();
    const QString name = ui().saveFileName(kSaveTitle, start, kSaveFilter, kSaveSuffix);
    if (name.isEmpty())
        return;
    Edit1->setText(name);
    FNewEmpty(name);
}

void TBTxtOutF::Button2Click()
{
    const QString name = ui().saveFileName(kSaveTitle, m_tocDialogDir, kSaveFilter, kSaveSuffix);
    if (name.isEmpty())
        return;
    m_tocDialogDir = QFileInfo(name).absolutePath();
    Edit5->setText(name);
    FNewEmpty(name);
    setStatus(QString());
}

void TBTxtOutF::Edit1Exit()
{
    checkTypedPath(Edit1, QStringLiteral("出力ファイルを正しく指定ください。"));
}

void TBTxtOutF::Edit5Exit()
{
    checkTypedPath(Edit5, QStringLiteral("目次ファイルを正しく指定ください。"));
}

void TBTxtOutF::checkTypedPath(QLineEdit *field, const QString &tooShortMessage)
{
    setStatus(QString());
    const QString path = field->text();
    if (path.isEmpty())
        return;
    if (Sjis::byteLength(path) < 8) {
        field->clear();
        refuse(tooShortMessage);
        return;
    }
    // The "drive" of a path is the file system it would be written to; a path that is
    // not absolute names no drive at all.
    const int kind = QFileInfo(path).isAbsolute() ? DriveKind(existingAncestor(path)) : 10;
    if (kind == 9) {
        refuse(QStringLiteral("CDドライブが指定されています"));
        return;
    }
    if (kind == 10) {
        refuse(QStringLiteral("不明なドライブが指定されています"));
        return;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!DExist(folder) && !MkDirChk(folder)) {
        refuse(QStringLiteral("フォルダー %1 を作成できません").arg(folder));
        return;
    }
    FNewEmpty(path);
}

bool TBTxtOutF::eventFilter(QObject *watched, QEvent *event)
{
    // Only moving to another control leaves a field; a message box or another window
    // taking the focus does not (the checks themselves may show one).
    const auto reason = event->type() == QEvent::FocusOut ? static_cast<QFocusEvent *>(event)->reason()
                                                          : Qt::OtherFocusReason;
    if (event->type() == QEvent::FocusOut && reason != Qt::ActiveWindowFocusReason
        && reason != Qt::PopupFocusReason) {
        if (watched == Edit1)
            Edit1Exit();
        else if (watched == Edit5)
            Edit5Exit();
    }
    return QDialog::eventFilter(watched, event);
}

// ---- the run

void TBTxtOutF::EditClick()
{
    setStatus(QString());
    BulkExportRequest request;
    request.settings = Settings;
    request.treeFileName = m_treeFileName;
    request.outPath = Edit1->text();
    request.tocPath = Edit5->text();
    const QString refusal = BulkExport::check(request);
    if (!refusal.isEmpty()) {
        refuse(refusal);
        return;
    }
    if (CheckBox3->isChecked())
        FNewEmpty(request.tocPath);
    ExportBusy = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FNewEmpty(request.outPath);

    ProgressBar1->setRange(0, int(m_items.size()));
    ProgressBar1->setValue(0);
    ProgressBar1->move(StatusBar1->width() - ProgressBar1->width() - 14, 4);
    ProgressBar1->show();
    StatusBar1->repaint();

    request.all = CheckBox1->isChecked();
    if (!request.all) {
        request.chosenLevel = TreeView1->currentItem() ? levelOf(TreeView1->currentItem()) : 1;
        request.chosenText = Edit2->text();
    }
    for (const QTreeWidgetItem *item : m_items)
        request.nodes.append(TreeLine{levelOf(item) - 1, item->text(0), {}});

    // The walk shows where it is; painting every node of a large tree would take longer
    // than the export, so the view is brought up to date a few times a second.
    QElapsedTimer sincePaint;
    sincePaint.start();
    const BulkExportResult result = BulkExport::run(request, [&](int k, int level, const QString &text) {
        ProgressBar1->setValue(k);
        if (k == m_items.size() || sincePaint.elapsed() >= 100) {
            TreeView1->setCurrentItem(m_items.at(k - 1));
            setStatus(BulkExport::progressText(k, level, text));
            TreeView1->repaint();
            StatusBar1->repaint();
            sincePaint.restart();
        }
    });

    ProgressBar1->hide();
    QApplication::restoreOverrideCursor();
    if (result.ok) {
        setStatus(QStringLiteral("一括出力 終了"));
    } else {
        setStatus(QStringLiteral("一括出力 中止"));
        ui().reportError(result.message);
    }
    ExportBusy = false;
}
