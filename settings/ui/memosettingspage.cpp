#include "settings/ui/memosettingspage.h"

#include "base/appsettings.h"
#include "settings/ui/settingscontrols.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

MemoSettingsPage::MemoSettingsPage(QPlainTextEdit *memo, QWidget *parent)
    : SettingsPage(parent)
    , m_memo(memo)
{
    auto *layout = new QVBoxLayout(this);
    font = new FontColorRow(Cfg.Memo, {"ComboBox1", "SpinEdit1", "ColorBox1", "ColorBox2"}, 48, false, this);
    layout->addWidget(font);
    auto *row = new QHBoxLayout;
    layout->addLayout(row);
    CheckBox1 = addCheckBox(row, "CheckBox1", QStringLiteral("折り返し"));
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("TAB幅"), this));
    SpinEdit3 = new SizeSpin(0, 8, this);
    SpinEdit3->setObjectName(QStringLiteral("SpinEdit3"));
    row->addWidget(SpinEdit3);
    row->addWidget(new QLabel(QStringLiteral("(0=8[ﾃﾞﾌｫﾙﾄ値])"), this));
    row->addStretch(1);
    auto *tabRow = new QHBoxLayout;
    layout->addLayout(tabRow);
    CheckBox2 = addCheckBox(tabRow, "CheckBox2", QStringLiteral("TABの入力（一時的なものです)"));
    tabRow->addStretch(1);
    layout->addStretch(1);

    connect(font, &FontColorRow::changed, this, &MemoSettingsPage::memoChanged);
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
        Cfg.MemoWrap = on;
        emit wrapChanged();
    });
    connect(SpinEdit3, &SizeSpin::sizeChanged, this, [this](int chars) {
        Cfg.MemoTabWidth = chars;
        emit memoChanged();
    });
    connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) { m_memo->setTabChangesFocus(!on); });
}

void MemoSettingsPage::fill()
{
    font->fill();
    CheckBox1->setChecked(Cfg.MemoWrap);
    SpinEdit3->setValue(Cfg.MemoTabWidth);
    CheckBox2->setChecked(!m_memo->tabChangesFocus());
}
