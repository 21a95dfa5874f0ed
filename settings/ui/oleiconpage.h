#pragma once
// Page "OLEｱｲｺﾝ": the registry of extensions that show an icon of their own. An icon is
// taken out of a program file (by its number), an icon file, a PNG or an SVG; "追加" and
// "削除" change the registry in memory, "保存" writes it.

#include "settings/oleiconregistry.h"
#include "settings/ui/settingspage.h"

#include <QIcon>
#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

class OleIconPage : public SettingsPage
{
    Q_OBJECT

public:
    // entries is the registry in memory, owned by the main window; genericIcon stands in
    // for an entry without a picture.
    OleIconPage(QList<OleIconEntry> &entries, QWidget *parent = nullptr);
    void fill() override {}

    void setGenericIcon(const QIcon &icon) { m_generic = icon; }
    // Rows from the registry in memory; no row chosen afterwards.
    void showEntries();
    // The preview, as "追加" would register it.
    QImage preview() const { return m_preview; }
    // The entry number shown (0: none).
    int number() const { return m_number; }

    // Events of the page.
    void ListViewFXSelectItem(int row); // row counted from 0
    void ButtonFXOpenClick();
    void IconIDisp(const QString &path);
    void SpinEditFXChange();
    void ButtonFXAddClick();
    void ButtonFXDelClick();
    void ButtonFXSaveClick();

    QTreeWidget *ListViewFX = nullptr;
    QLabel *ImageFX = nullptr;
    QLabel *LabOleExNo = nullptr;
    QSpinBox *SpinEditFX = nullptr;
    QLineEdit *EditFX = nullptr;
    QLineEdit *EditFXFile = nullptr;
    QPushButton *ButtonFXOpen = nullptr;
    QPushButton *ButtonFXAdd = nullptr;
    QPushButton *ButtonFXDel = nullptr;
    QPushButton *ButtonFXSave = nullptr;

signals:
    // Rows were added or removed: the node icons from index 10 must follow.
    void registryChanged();

private:
    void setNumber(int number);
    void setPreview(const QImage &image);

    QList<OleIconEntry> &m_entries;
    QIcon m_generic;
    QImage m_preview;
    int m_number = 0;
    bool m_iconPicked = false; // a file was opened and no row chosen since
    QString m_pickedFile;
};
