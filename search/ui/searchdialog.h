#pragma once
// The search dialog: the word (typed, or taken from the words searched before), the
// scope and the kinds of content to look in. It reads and writes a SearchState; callers
// reach it through ui().runSearchDialog. Made for each search.

#include <QDialog>

struct SearchState;
class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;

class TFormSWord : public QDialog
{
    Q_OBJECT

public:
    explicit TFormSWord(QWidget *parent = nullptr);

    // Shows the dialog modally over the state; true when closed with "検索"
    // (state.confirmed says the same).
    bool run(SearchState &state);

    // The steps of a showing, public so that they can be driven without a modal loop.
    void FormActivate(SearchState &state);
    void ComboBox1Change(int index);
    void CheckBox4Click();
    void Button1Click(); // 検索
    void Button2Click(); // ｷｬﾝｾﾙ

    QLineEdit *Edit1 = nullptr;     // the word; lies over the combo, whose button shows beside it
    QCheckBox *CheckBox4 = nullptr; // scope
    QFrame *Panel1 = nullptr;
    QCheckBox *CheckBox1 = nullptr; // メモ内容
    QCheckBox *CheckBox2 = nullptr; // リッチテキスト内容
    QCheckBox *CheckBox3 = nullptr; // 追加メモ内容
    QPushButton *Button1 = nullptr; // 検索
    QPushButton *Button2 = nullptr; // ｷｬﾝｾﾙ
    QComboBox *ComboBox1 = nullptr; // the history

public slots:
    void reject() override; // Escape and the window's close, like ｷｬﾝｾﾙ

private:
    SearchState *m_state = nullptr;
};
