// Today's date and the time of day as the program writes them: four-digit years, every
// other field two digits, 24-hour clock.

#include "nodeops/functionu.h"

QString DateYMD(const QDateTime &now)
{
    const QDate d = now.date();
    return ZeroPad(d.year(), 4) + ZeroPad(d.month(), 2) + ZeroPad(d.day(), 2);
}

QString DateYMDSlash(const QDateTime &now)
{
    const QDate d = now.date();
    return ZeroPad(d.year(), 4) + u'/' + ZeroPad(d.month(), 2) + u'/' + ZeroPad(d.day(), 2);
}

QString DateYMDJ(const QDateTime &now)
{
    const QDate d = now.date();
    return ZeroPad(d.year(), 4) + u'年' + ZeroPad(d.month(), 2) + u'月' + ZeroPad(d.day(), 2) + u'日';
}

QString TimeHMS(const QDateTime &now)
{
    const QTime t = now.time();
    return ZeroPad(t.hour(), 2) + ZeroPad(t.minute(), 2) + ZeroPad(t.second(), 2);
}

QString TimeHMJ(const QDateTime &now)
{
    const QTime t = now.time();
    return ZeroPad(t.hour(), 2) + u'時' + ZeroPad(t.minute(), 2) + u'分';
}
