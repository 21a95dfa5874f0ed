#pragma once
// Stands in for an OLE container: shows a file that the program does not edit itself,
// as its desktop icon or as a view of its content, and opens it in its associated
// program on a double click or Enter.

#include <QWidget>

class QLabel;

class OleView : public QWidget
{
    Q_OBJECT

public:
    explicit OleView(QWidget *parent = nullptr);

    // Links the view to a file; iconic shows the large icon only.
    void setFile(const QString &fsPath, bool iconic);
    void clear();
    QString file() const { return m_path; }
    // Opens the file in the desktop's associated program; false if none could be started.
    bool openExternally();

signals:
    void openRequested(const QString &fsPath);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_icon = nullptr;
    QLabel *m_caption = nullptr;
    QString m_path;
};
