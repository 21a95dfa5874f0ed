#pragma once
// A request to end the program from outside (SIGTERM when the desktop session ends,
// SIGINT, SIGHUP), turned into a signal on the event loop, so the program closes the
// way the user closes it: the current node and the settings are written first.

#include <QObject>

class QSocketNotifier;

class TerminationSignal : public QObject
{
    Q_OBJECT

public:
    // Installs the handlers; one object per process.
    explicit TerminationSignal(QObject *parent = nullptr);
    ~TerminationSignal() override;

signals:
    void requested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
