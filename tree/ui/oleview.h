#pragma once
// Stands in for an OLE container: shows a file that the program does not edit itself,
// either as its desktop icon (large, with its name) or as a view of its content where
// the file is a picture, plain text or a PDF; a file of another type shows its large
// icon with name, type, size and date. A double click or Enter opens the file in its
// associated program; a failure to start one is reported through the UI port.

#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QStackedWidget;

class OleView : public QWidget
{
    Q_OBJECT

public:
    explicit OleView(QWidget *parent = nullptr);

    enum class Shown { Nothing, Icon, Details, Picture, Text };

    // Links the view to a file; iconic shows the large icon and the name only.
    void setFile(const QString &fsPath, bool iconic);
    void clear();
    QString file() const { return m_path; }
    Shown shown() const { return m_shown; }
    // What the view shows as text: the caption under the icon, or the text preview.
    QString shownText() const;

    // Opens the file in its associated program; reports and returns false when none
    // could be started.
    bool openExternally();

    // Starts the associated program for a file; the desktop's by default. Tests
    // replace it so that nothing is started.
    using Opener = std::function<bool(const QString &fsPath)>;
    static void setOpener(Opener opener);

signals:
    void openRequested(const QString &fsPath);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showIcon(bool details);
    void requestOpen();

    QStackedWidget *m_pages = nullptr;
    QWidget *m_iconPage = nullptr;
    QLabel *m_icon = nullptr;
    QLabel *m_caption = nullptr;
    QScrollArea *m_pictureArea = nullptr;
    QLabel *m_picture = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QString m_path;
    Shown m_shown = Shown::Nothing;
};
