#include "nodeops/ui/nodedialog.h"

#include "base/uiport.h"
#include "nodeops/functionu.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QStatusBar>

namespace {

const QString kPictureTitle = QStringLiteral("画像ﾌｧｲﾙ Open");
const QString kPictureFilter = QStringLiteral("画像データ (*.BMP *.JPEG *.JPG *.JPE *.ICO)");
const QString kFileTitle = QStringLiteral("OLE ﾌｧｲﾙ Open");
const QString kFileFilter = QStringLiteral("全て (*)");

// The window's frame around the client area: a 290 × 200 window has the 280 × 170
// client area the controls are placed in.
constexpr int kFrameWidth = 10;
constexpr int kFrameHeight = 30;

// Distances of the anchored buttons from the right and bottom edges of the client area.
constexpr int kOkRight = 64;
constexpr int kCancelRight = 128;
constexpr int kButtonsBottom = 54;

QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                      QStringLiteral("VL Gothic"), QStringLiteral("monospace")});
    font.setPixelSize(12);
    return font;
}

} // namespace

TFormD::TFormD(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FormD"));
    setFont(dialogFont());
    setModal(true);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(5, 9);

    // The date and time list lies under the name field: only its drop-down button shows.
    ComboBoxNM = new QComboBox(this);
    ComboBoxNM->setObjectName(QStringLiteral("ComboBoxNM"));
    ComboBoxNM->setGeometry(8, 24, 265, 20);
    ComboBoxNM->setFocusPolicy(Qt::NoFocus);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 24, 249, 20);
    Edit1->raise();

    RadioGroup1 = new QGroupBox(QStringLiteral("ノードタイプ"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(24, 56, 97, 82);
    // The caption sits on the frame's top line, so that five kinds fit into 82 pixels.
    RadioGroup1->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    m_kinds = new QButtonGroup(this);
    const QString kindNames[5] = {QStringLiteral("ﾃｷｽﾄ"), QStringLiteral("ﾘｯﾁﾃｷｽﾄ"), QStringLiteral("ﾌｫﾙﾀﾞｰ"),
                                  QStringLiteral("画像"), QStringLiteral("OLE")};
    for (int i = 0; i < 5; ++i) {
        RadioItems[i] = new QRadioButton(kindNames[i], RadioGroup1);
        RadioItems[i]->setGeometry(8, 13 + 13 * i, 85, 13);
        RadioItems[i]->setFont(font()); // the group's style sheet would otherwise pick its own
        m_kinds->addButton(RadioItems[i], i);
    }
    RadioItems[ChoiceText]->setChecked(true);

    Label2 = new QLabel(QStringLiteral("様式"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(154, 48);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(152, 61, 121, 20);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert); // typing never adds to the template list
    ComboBox1->addItem(NodeDialog::noTemplate());
    ComboBox1->setEditText(NodeDialog::noTemplate());

    Button3 = new QPushButton(QStringLiteral("ﾌｧｲﾙ指定"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(152, 88, 57, 17);
    Button3->hide();
    Button2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->resize(57, 25);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->resize(57, 25);
    Button1->setDefault(true);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(StatusBar1);
    m_statusPanel->setMinimumWidth(50);
    StatusBar1->addWidget(m_statusPanel, 1);

    connect(Button1, &QPushButton::clicked, this, &TFormD::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormD::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFormD::Button3Click);
    connect(m_kinds, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            RadioGroup1Click();
    });
    connect(ComboBoxNM, &QComboBox::textActivated, this, &TFormD::ComboBoxNMChange);

    setFixedSize(280, 170);
    placeAnchored();
}

NodeDialogResult TFormD::run(const NodeDialogRequest &request)
{
    FormActivate(request);
    if (QWidget *owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    exec();
    return m_result;
}

int TFormD::kindChoice() const
{
    return m_kinds->checkedId();
}

void TFormD::setKindChoice(int choice)
{
    if (choice >= 0 && choice < 5)
        RadioItems[choice]->setChecked(true);
}

QString TFormD::statusText() const
{
    return m_statusPanel->text();
}

void TFormD::showFileChoice(bool on)
{
    Button3->setVisible(on);
    m_statusPanel->setText(on ? NodeDialog::pickFilePrompt() : QString());
    Edit1->setReadOnly(on);
}

void TFormD::FormActivate(const NodeDialogRequest &request)
{
    m_request = request;
    const int mode = request.mode;
    const bool deleting = NodeDialog::isDeleteMode(mode);

    // The template list may have grown or shrunk since the last showing; the text
    // chosen last stays.
    const QString templateText = ComboBox1->currentText();
    ComboBox1->clear();
    ComboBox1->addItems(request.templates.isEmpty() ? QStringList{NodeDialog::noTemplate()}
                                                    : request.templates);
    ComboBox1->setEditText(templateText);

    ComboBoxNM->clear();
    ComboBoxNM->addItems({DateYMDJ(), DateYMD(), TimeHMJ(), TimeHMS()});
    ComboBoxNM->setCurrentIndex(-1);

    Label2->setVisible(!deleting);
    const QString prompt = NodeDialog::prompt(mode, request.nodeName);
    setWindowTitle(NodeDialog::caption(mode));
    Label1->setText(prompt);
    Label1->adjustSize();

    RadioGroup1->setVisible(!deleting);
    ComboBox1->setVisible(!deleting);
    ComboBoxNM->setVisible(!deleting);
    Edit1->setVisible(!deleting);
    m_file.clear();
    showFileChoice(false);
    setFixedSize(NodeDialog::windowWidth(prompt) - kFrameWidth, NodeDialog::windowHeight(mode) - kFrameHeight);
    placeAnchored();

    Edit1->clear();
    if (!deleting) {
        Edit1->setFocus();
        if (NodeDialog::isFileKindChoice(kindChoice())) {
            showFileChoice(true);
            Button3->setFocus();
        }
    } else {
        Button1->setFocus();
    }
    m_result = NodeDialogResult();
}

void TFormD::RadioGroup1Click()
{
    m_file.clear();
    const int choice = kindChoice();
    ComboBox1->setEnabled(choice == ChoiceText);
    showFileChoice(NodeDialog::isFileKindChoice(choice));
}

void TFormD::ComboBoxNMChange(const QString &text)
{
    Edit1->setText(text);
}

void TFormD::Button3Click()
{
    m_file.clear();
    Edit1->clear();
    const bool picture = kindChoice() == ChoiceImage;
    const QString chosen = picture ? ui().openFileName(kPictureTitle, m_lastDir, kPictureFilter, QString())
                                   : ui().openFileName(kFileTitle, m_lastDir, kFileFilter, QString());
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    m_file = info.absoluteFilePath();
    m_lastDir = info.absolutePath();
    Edit1->setText(PathName(m_file));
}

void TFormD::Button1Click()
{
    NodeDialog::OkInput in;
    in.mode = m_request.mode;
    in.nameText = Edit1->text();
    in.choice = kindChoice();
    in.templateText = ComboBox1->currentText();
    in.file = m_file;
    const NodeDialog::OkOutcome out = NodeDialog::pressOk(in);
    if (!NodeDialog::isDeleteMode(m_request.mode))
        Edit1->setText(out.nameText);
    if (out.cleaned) {
        ui().showMessage(NodeDialog::cleanedMessage());
        return;
    }
    if (!out.accepted) {
        if (out.focusName)
            Edit1->setFocus();
        return;
    }
    m_result = out.result;
    QDialog::accept();
}

void TFormD::Button2Click()
{
    m_result = NodeDialogResult();
    m_file.clear();
    QDialog::reject();
}

void TFormD::reject()
{
    Button2Click();
}

void TFormD::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeAnchored();
}

void TFormD::placeAnchored()
{
    const int w = width();
    const int h = height();
    Button1->move(w - kOkRight, h - kButtonsBottom);
    Button2->move(w - kCancelRight, h - kButtonsBottom);
    const int barHeight = 19;
    StatusBar1->setGeometry(0, h - barHeight, w, barHeight);
}
