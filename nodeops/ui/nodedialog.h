#pragma once
// The node dialog: names a new node and chooses its kind (and a template or a source
// file), or confirms a deletion. One window serves the five modes; it is made once and
// reused, so the kind and the template chosen last are still chosen the next time.
// Callers reach it through ui().runNodeDialog (see nodeops/nodedialogmodel.h); it
// changes nothing on disk or in the tree.

#include "nodeops/nodedialogmodel.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

class TFormD : public QDialog
{
    Q_OBJECT

public:
    explicit TFormD(QWidget *parent = nullptr);

    // Lays the window out for the request, shows it modally and returns the outcome.
    NodeDialogResult run(const NodeDialogRequest &request);

    // The steps of a showing, public so that they can be driven without a modal loop.
    void FormActivate(const NodeDialogRequest &request);
    void Button1Click(); // OK
    void Button2Click(); // Cancel
    void Button3Click(); // pick the source file of an image or OLE node
    void RadioGroup1Click();
    void ComboBoxNMChange(const QString &text);
    NodeDialogResult result() const { return m_result; }
    int kindChoice() const;
    void setKindChoice(int choice);
    QString statusText() const;

    QLabel *Label1 = nullptr;        // the prompt
    QComboBox *ComboBoxNM = nullptr; // date and time texts; only its button shows, beside Edit1
    QLineEdit *Edit1 = nullptr;      // the node name
    QGroupBox *RadioGroup1 = nullptr;
    QRadioButton *RadioItems[5] = {}; // ﾃｷｽﾄ, ﾘｯﾁﾃｷｽﾄ, ﾌｫﾙﾀﾞｰ, 画像, OLE
    QLabel *Label2 = nullptr;        // 様式
    QComboBox *ComboBox1 = nullptr;  // the template; its text may also be typed
    QPushButton *Button3 = nullptr;  // ﾌｧｲﾙ指定
    QPushButton *Button2 = nullptr;  // ｷｬﾝｾﾙ
    QPushButton *Button1 = nullptr;  // OK
    QStatusBar *StatusBar1 = nullptr;

public slots:
    void reject() override; // Escape, like Cancel

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showFileChoice(bool on);
    void placeAnchored(); // the buttons keep their distance to the right and bottom edges

    QButtonGroup *m_kinds = nullptr;
    QLabel *m_statusPanel = nullptr;
    NodeDialogRequest m_request;
    NodeDialogResult m_result;
    QString m_file;    // DlgFile while the dialog is open
    QString m_lastDir; // the folder of the file picked last
};
