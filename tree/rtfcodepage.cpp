#include "tree/rtfcodepage.h"

#include "base/sjiscodec.h"

#include <QStringDecoder>

namespace RtfCodePage {

namespace {

// Qt knows the Windows code pages as "windows-N", the DOS ones as "IBMN".
QByteArray converterName(int codePage)
{
    switch (codePage) {
    case 437:
    case 850:
    case 852:
    case 866:
        return "IBM" + QByteArray::number(codePage);
    case 10000:
        return "macintosh";
    default:
        return "windows-" + QByteArray::number(codePage);
    }
}

QString latin1(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

} // namespace

int forCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;   // ANSI
    case 2: return SymbolCodePage;
    case 77: return 10000; // Mac Roman
    case 128: return 932;  // Shift-JIS
    case 129: return 949;  // Hangul
    case 130: return 1361; // Johab
    case 134: return 936;  // GB2312
    case 136: return 950;  // Big5
    case 161: return 1253; // Greek
    case 162: return 1254; // Turkish
    case 163: return 1258; // Vietnamese
    case 177: return 1255; // Hebrew
    case 178: return 1256; // Arabic
    case 186: return 1257; // Baltic
    case 204: return 1251; // Cyrillic
    case 222: return 874;  // Thai
    case 238: return 1250; // Eastern Europe
    case 255: return 437;  // OEM
    default: return 0;     // DEFAULT_CHARSET and unknown: the document's code page
    }
}

bool isDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 || codePage == 1361;
}

bool isLeadByte(int codePage, uchar b)
{
    switch (codePage) {
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950: return b >= 0x81 && b <= 0xFE;
    case 1361: return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xF9);
    default: return false;
    }
}

bool isSupported(int codePage)
{
    if (codePage == 932 || codePage == SymbolCodePage)
        return true;
    return QStringDecoder(converterName(codePage).constData()).isValid();
}

QString decode(const QByteArray &bytes, int codePage, bool *clean)
{
    bool ok = true;
    QString text;
    if (codePage == 932) {
        text = Sjis::decode(bytes, &ok);
    } else if (codePage == SymbolCodePage) {
        // Letters stay letters (the text is still searchable); the rest become the
        // private-use characters the font's own table stands for.
        for (const char c : bytes)
            text += uchar(c) < 0x80 ? QChar(uchar(c)) : QChar(0xF000 + uchar(c));
    } else {
        QStringDecoder dec(converterName(codePage).constData(), QStringConverter::Flag::Stateless);
        if (dec.isValid()) {
            text = dec(bytes);
            ok = !dec.hasError();
        } else {
            text = latin1(bytes);
            ok = false;
        }
    }
    if (clean)
        *clean = ok;
    return text;
}

} // namespace RtfCodePage
