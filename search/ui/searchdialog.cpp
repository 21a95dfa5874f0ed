#include "search/ui/searchdialog.h"

#include "base/fontchoice.h"
#include "search/searchstate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TFormSWord::TFormSWord(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FormSWord"));
    QFont font(FontChoice::installedFamily(QStringLiteral("ＭＳ ゴシック")));
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(270, 137);

    // The combo lies under the edit: only its drop-down button shows, at the edit's right.
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(12, 10, 241, 22);
    ComboBox1->setFocusPolicy(Qt::NoFocus);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(12, 10, 225, 22);
    Edit1->raise();

    CheckBox4 = new QCheckBox(searchScopeCaption(true), this);
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    CheckBox4->setGeometry(14, 38, 200, 18);
    CheckBox4->setChecked(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(12, 60, 246, 42);
    CheckBox1 = new QCheckBox(QStringLiteral("メモ内容"), Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(6, 3, 100, 18);
    CheckBox1->setChecked(true);
    CheckBox2 = new QCheckBox(QStringLiteral("リッチテキスト内容"), Panel1);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setGeometry(106, 3, 136, 18);
    CheckBox3 = new QCheckBox(QStringLiteral("追加メモ内容"), Panel1);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    CheckBox3->setGeometry(6, 21, 120, 18);

    Button1 = new QPushButton(QStringLiteral("検索"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(100, 108, 75, 24);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(183, 108, 75, 24);

    setTabOrder(Edit1, CheckBox4);
    setTabOrder(CheckBox4, CheckBox1);
    setTabOrder(CheckBox1, CheckBox2);
    setTabOrder(CheckBox2, CheckBox3);
    setTabOrder(CheckBox3, Button1);
    setTabOrder(Button1, Button2);

    connect(ComboBox1, &QComboBox::activated, this, &TFormSWord::ComboBox1Change);
    connect(CheckBox4, &QCheckBox::toggled, this, &TFormSWord::CheckBox4Click);
    connect(Button1, &QPushButton::clicked, this, &TFormSWord::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormSWord::Button2Click);
}

bool TFormSWord::run(SearchState &state)
{
    FormActivate(state);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
    m_state = nullptr;
    return state.confirmed;
}

void TFormSWord::FormActivate(SearchState &state)
{
    m_state = &state;
    state.confirmed = false;
    ComboBox1->clear();
    ComboBox1->addItems(state.history);
    ComboBox1->setCurrentIndex(-1);
    Edit1->setText(state.word);
    CheckBox1->setChecked(state.inMemo);
    CheckBox2->setChecked(state.inRich);
    CheckBox3->setChecked(state.inComment);
    {
        const QSignalBlocker quiet(CheckBox4);
        CheckBox4->setChecked(state.allNodes);
    }
    CheckBox4->setText(searchScopeCaption(state.allNodes));
    if (!state.word.isEmpty()) {
        setWindowTitle(QStringLiteral("検索文字 前回情報"));
        Edit1->selectAll();
    } else {
        setWindowTitle(QStringLiteral("検索文字 入力"));
    }
    Edit1->setFocus();
}

void TFormSWord::ComboBox1Change(int index)
{
    if (index >= 0)
        Edit1->setText(ComboBox1->itemText(index));
}

void TFormSWord::CheckBox4Click()
{
    CheckBox4->setText(searchScopeCaption(CheckBox4->isChecked()));
    if (m_state)
        m_state->allNodes = CheckBox4->isChecked();
}

void TFormSWord::Button1Click()
{
    if (m_state)
        m_state->confirm(Edit1->text(), CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked());
    accept();
}

void TFormSWord::Button2Click()
{
    reject();
}

void TFormSWord::reject()
{
    if (m_state)
        m_state->confirmed = false;
    QDialog::reject();
}
