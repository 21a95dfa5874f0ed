#pragma once
// The template dialog: asks for the name under which the memo being edited becomes a
// template, or offers the templates for a deletion. Callers reach it through
// ui().runTemplateDialog (settings/templatedialogmodel.h); the answer is the name, ""
// for cancel.

#include "settings/templatedialogmodel.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TTmpF : public QDialog
{
    Q_OBJECT

public:
    explicit TTmpF(QWidget *parent = nullptr);

    // Lays the dialog out for the request, shows it modally and returns TmpName.
    QString run(const TemplateDialogRequest &request);

    // The steps of a showing, public so that they can be driven without a modal loop.
    void FormActivate(const TemplateDialogRequest &request);
    void Button1Click(); // cancel
    void Button2Click(); // 登録 / 削除
    QString tmpName() const { return m_tmpName; }

    QLabel *Label1 = nullptr;
    QComboBox *ComboBox1 = nullptr; // deletion: the templates to choose from
    QLineEdit *Edit1 = nullptr;     // registration: the name
    QPushButton *Button1 = nullptr; // ｷｬﾝｾﾙ
    QPushButton *Button2 = nullptr;

public slots:
    void reject() override; // Escape, like ｷｬﾝｾﾙ

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_deleting = false;
    QString m_tmpName;
};
