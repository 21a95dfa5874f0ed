#include "tree/anicursor.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QtEndian>

namespace {

constexpr int MaxJiffies = 60 * 60 * 60;

quint32 le32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

quint16 le16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

// One .cur image as a cursor; the hotspot is in the first directory entry.
bool cursorFromCur(const QByteArray &cur, QCursor *out)
{
    if (cur.size() < 22 || le16(cur, 2) != 2 || le16(cur, 4) < 1)
        return false;
    QImage image = QImage::fromData(cur, "cur");
    if (image.isNull()) {
        // Qt's reader may only know the icon form: read it as an icon of the same bytes.
        QByteArray ico = cur;
        ico[2] = 1;
        image = QImage::fromData(ico, "ico");
    }
    if (image.isNull())
        return false;
    const int hotX = le16(cur, 6 + 4);
    const int hotY = le16(cur, 6 + 6);
    *out = QCursor(QPixmap::fromImage(image), hotX, hotY);
    return true;
}

} // namespace

AniCursor parseAniCursor(const QByteArray &bytes)
{
    AniCursor ani;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "ACON")
        return {};
    const qsizetype end = qMin<qsizetype>(bytes.size(), qsizetype(le32(bytes, 4)) + 8);
    quint32 frameCount = 0, stepCount = 0, defaultRate = 0, flags = 0;
    QList<int> rates;
    QList<int> sequence;

    qsizetype pos = 12;
    while (pos + 8 <= end) {
        const QByteArray id = bytes.mid(pos, 4);
        const qsizetype size = le32(bytes, pos + 4);
        const qsizetype data = pos + 8;
        if (size < 0 || data + size > end)
            return {};
        if (id == "anih" && size >= 36) {
            frameCount = le32(bytes, data + 4);
            stepCount = le32(bytes, data + 8);
            defaultRate = le32(bytes, data + 28);
            flags = le32(bytes, data + 32);
        } else if (id == "rate") {
            for (qsizetype i = 0; i + 4 <= size; i += 4)
                rates.append(int(le32(bytes, data + i)));
        } else if (id == "seq ") {
            for (qsizetype i = 0; i + 4 <= size; i += 4)
                sequence.append(int(le32(bytes, data + i)));
        } else if (id == "LIST" && size >= 4 && bytes.mid(data, 4) == "fram") {
            qsizetype sub = data + 4;
            const qsizetype listEnd = data + size;
            while (sub + 8 <= listEnd) {
                const qsizetype subSize = le32(bytes, sub + 4);
                if (sub + 8 + subSize > listEnd)
                    return {};
                if (bytes.mid(sub, 4) == "icon") {
                    QCursor cursor;
                    if (!cursorFromCur(bytes.mid(sub + 8, subSize), &cursor))
                        return {};
                    ani.frames.append(cursor);
                }
                sub += 8 + subSize + (subSize & 1);
            }
        }
        pos = data + size + (size & 1);
    }
    if ((flags & 1) == 0 || ani.frames.isEmpty())
        return {}; // raw bitmap frames are not cursors we can show
    if (frameCount == 0 || qsizetype(frameCount) > ani.frames.size())
        frameCount = quint32(ani.frames.size());
    // The file's step count is only a claim: steps beyond those the sequence and the rates
    // list, or one per frame, say nothing new, so no more are made than the bytes describe.
    const qsizetype described = qMax(qsizetype(frameCount), qMax(sequence.size(), rates.size()));
    if (stepCount == 0 || qsizetype(stepCount) > described)
        stepCount = quint32(described);
    for (quint32 s = 0; s < stepCount; ++s) {
        int frame = sequence.size() > qsizetype(s) ? sequence.at(s) : int(s % frameCount);
        if (frame < 0 || frame >= ani.frames.size())
            frame = 0;
        ani.steps.append(frame);
        const int rate = rates.size() > qsizetype(s) ? rates.at(s) : int(defaultRate);
        // At most an hour a step, so the timer's milliseconds stay in range.
        ani.jiffies.append(rate > 0 ? qMin(rate, MaxJiffies) : 6);
    }
    return ani;
}

BusyCursor::BusyCursor(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &BusyCursor::nextStep);
}

BusyCursor::~BusyCursor()
{
    stop();
}

bool BusyCursor::start(const QString &aniPath)
{
    QFile f(aniPath);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    AniCursor cursor = parseAniCursor(f.readAll());
    if (!cursor.isValid())
        return false;
    stop();
    m_cursor = std::move(cursor);
    m_step = 0;
    m_active = true;
    QGuiApplication::setOverrideCursor(m_cursor.frames.at(m_cursor.steps.at(0)));
    m_timer->start(m_cursor.jiffies.at(0) * 1000 / 60);
    return true;
}

void BusyCursor::stop()
{
    if (!m_active)
        return;
    m_timer->stop();
    m_active = false;
    QGuiApplication::restoreOverrideCursor();
}

void BusyCursor::nextStep()
{
    if (!m_active)
        return;
    m_step = (m_step + 1) % m_cursor.steps.size();
    QGuiApplication::changeOverrideCursor(m_cursor.frames.at(m_cursor.steps.at(m_step)));
    m_timer->start(m_cursor.jiffies.at(m_step) * 1000 / 60);
}
