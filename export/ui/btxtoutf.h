#pragma once
// The bulk output dialog: where the user sets up and starts the bulk text export (the
// output file, the table of contents, the branch, numbering, separator, indentation,
// page breaks and the lines after every body). It works on its own copy of the main
// tree, reads "BTxtOut.Ini" when it opens and writes it back when it closes.

#include "export/bulkexportsettings.h"

#include <QDialog>
#include <QList>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

class TBTxtOutF : public QDialog
{
    Q_OBJECT

public:
    // `tree` is the main tree, copied with its icons; bodies are looked up beside
    // `treeFileName`.
    TBTxtOutF(const QTreeWidget *tree, const QString &treeFileName, QWidget *parent = nullptr);

    // The export with the current settings (the "テキスト一括出力" button).
    void EditClick();
    // The text of the status bar.
    QString statusText() const;

    // Handlers of the controls, named after them.
    void ComboBox1Change();
    void ComboBox2Change();
    void ComboBox3Change();
    void RadioGroup1Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void CheckBox6Click();
    void SpinEdit1Change();
    void SpinEdit2Change();
    void Memo1Change();
    void TreeView1Change();
    void Button1Click();
    void Button2Click();
    void Edit1Exit();
    void Edit5Exit();

    // The settings as the controls hold them.
    BulkExportSettings Settings;
    bool ExportBusy = false;

    QSplitter *Splitter1 = nullptr;
    QWidget *PanelTree = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QWidget *PanelC = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLabel *Label4 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QComboBox *ComboBox3 = nullptr;
    QGroupBox *RadioGroup1 = nullptr;
    QButtonGroup *RadioGroup1Buttons = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label9 = nullptr;
    QSpinBox *SpinEdit2 = nullptr;
    QCheckBox *CheckBox6 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QLabel *Label8 = nullptr;
    QSpinBox *SpinEdit1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Edit = nullptr;
    QPushButton *Button3 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusText = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

public slots:
    // Closing by "キャンセル", Esc or the close box writes the settings.
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void copyTree(const QTreeWidget *tree);
    void FormCreate();
    void FormClose();
    void setStatus(const QString &text);
    void refuse(const QString &text); // status text and a beep
    // The checks of a typed file path on leaving its field.
    void checkTypedPath(QLineEdit *field, const QString &tooShortMessage);
    QList<QTreeWidgetItem *> m_items; // TreeView1's nodes in tree order
    QString m_treeFileName;
    QString m_tocDialogDir;           // where the contents file's save dialog was left
    bool m_closed = false;
};
