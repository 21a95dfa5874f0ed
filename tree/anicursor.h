#pragma once
// Animated cursors (RIFF "ACON" files): the frames are whole .cur images, shown in the
// order of the optional "seq " chunk for the number of jiffies (1/60 s) each step asks.

#include <QByteArray>
#include <QCursor>
#include <QList>
#include <QObject>
#include <QString>

class QTimer;

struct AniCursor {
    QList<QCursor> frames;   // one cursor per frame, with its hotspot
    QList<int> steps;        // frame index of each step
    QList<int> jiffies;      // duration of each step in 1/60 s
    bool isValid() const { return !frames.isEmpty() && !steps.isEmpty(); }
};

// Parses the bytes of an animated cursor file; an invalid AniCursor when they are not one.
AniCursor parseAniCursor(const QByteArray &bytes);

// Shows an animated cursor as the application's override cursor until stop().
class BusyCursor : public QObject
{
    Q_OBJECT

public:
    explicit BusyCursor(QObject *parent = nullptr);
    ~BusyCursor() override;

    // Loads the file and starts showing it; false (and nothing changed) when it is
    // not an animated cursor.
    bool start(const QString &aniPath);
    void stop();
    bool isActive() const { return m_active; }

private:
    void nextStep();

    AniCursor m_cursor;
    QTimer *m_timer = nullptr;
    int m_step = 0;
    bool m_active = false;
};
