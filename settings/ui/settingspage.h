#pragma once
// A page of the settings panel. Each page changes the in-memory settings at once and
// tells the main window what to apply; the main window fills the shown pages from the
// settings each time the panel opens.

#include <QWidget>

class QBoxLayout;
class QCheckBox;

class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsPage(QWidget *parent = nullptr);
    // Controls from the settings. Setting a check box, size field or text field to a
    // different value runs its handler as a user change would.
    virtual void fill() = 0;

signals:
    // A text for the message panel of the status bar.
    void status(const QString &text);

protected:
    // A check box named and captioned as given, added to the layout.
    QCheckBox *addCheckBox(QBoxLayout *layout, const char *name, const QString &caption);
};
