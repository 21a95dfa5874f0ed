#include "settings/ui/templatedialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TTmpF::TTmpF(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TmpF"));
    setWindowTitle(QStringLiteral("様式"));
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                      QStringLiteral("monospace")});
    font.setPixelSize(12);
    setFont(font);
    setModal(true);
    setFixedSize(211, 92);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 8);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(8, 26, 195, 20);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setEditText(TemplateDialog::chooseTemplate());
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 26, 195, 20);
    Button1 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(80, 58, 57, 25);
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(146, 58, 57, 25);
    Button2->setDefault(true);

    connect(Button1, &QPushButton::clicked, this, &TTmpF::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TTmpF::Button2Click);
    // The first change of the choice makes the box a pick-only list: from then on a
    // name can only be chosen, not typed.
    // Enter in the choice box is the default button, as everywhere else in the dialog;
    // left to the box, it would pick a template nobody chose.
    ComboBox1->installEventFilter(this);
    ComboBox1->lineEdit()->installEventFilter(this);
    connect(ComboBox1, &QComboBox::editTextChanged, this, [this] {
        if (m_deleting && ComboBox1->isEditable()) {
            const QString text = ComboBox1->currentText();
            const int index = ComboBox1->findText(text, Qt::MatchExactly);
            if (index < 0)
                return; // not a choice (yet): the box stays as it is
            QMetaObject::invokeMethod(this, [this, index] {
                ComboBox1->setEditable(false);
                ComboBox1->setCurrentIndex(index);
            }, Qt::QueuedConnection);
        }
    });
}

QString TTmpF::run(const TemplateDialogRequest &request)
{
    FormActivate(request);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    exec();
    return m_tmpName;
}

void TTmpF::FormActivate(const TemplateDialogRequest &request)
{
    m_deleting = request.deleting;
    m_tmpName.clear();
    setWindowTitle(TemplateDialog::caption(m_deleting));
    Label1->setText(TemplateDialog::prompt(m_deleting));
    Label1->adjustSize();
    Button2->setText(TemplateDialog::actionText(m_deleting));
    ComboBox1->setVisible(m_deleting);
    Edit1->setVisible(!m_deleting);
    if (m_deleting) {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->clear();
        ComboBox1->addItems(TemplateDialog::choices(request.templates));
        ComboBox1->setEditText(TemplateDialog::chooseTemplate());
        ComboBox1->setFocus();
    } else {
        Edit1->setText(request.suggestion);
        Edit1->setFocus();
    }
}

void TTmpF::Button1Click()
{
    m_tmpName.clear();
    QDialog::reject();
}

void TTmpF::Button2Click()
{
    m_tmpName = TemplateDialog::answer(m_deleting, Edit1->text(), ComboBox1->currentText());
    QDialog::accept();
}

bool TTmpF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == ComboBox1 || watched == ComboBox1->lineEdit())) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !ComboBox1->view()->isVisible()) {
            Button2->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TTmpF::reject()
{
    Button1Click();
}
