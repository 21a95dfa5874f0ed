#pragma once
// The report of text memos and rich text: a header on every page (title, date, page
// number, separator line, each switched by the print options) above one body field
// that flows over as many pages as it needs. Filled anew for every print.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
struct AppSettings;

class TListF
{
public:
    // The header items and whether each is printed.
    struct Header {
        bool QRLabel1 = false;   // the title
        bool QRSysData2 = false; // the date
        bool QRLabel2 = false;   // "P."
        bool QRSysData1 = false; // the page number
        bool QRLabel3 = false;   // the separator line
        QString title;
        QString titleFontName = QStringLiteral("ＭＳ ゴシック");
        int titleFontSize = 10;
    };
    enum class Body { None, Memo, RichText };

    // Sets the header from the print options and switches both body fields off. The
    // title is the full path when the options ask for it, else the node's name.
    void prepareHeader(const AppSettings &settings, const QString &nodeName, const QString &fullPath);
    // The memo field: the memo's lines (as the view holds them, "\n" between lines),
    // each with its tabs expanded to the memo tab width, in the memo font.
    void setMemo(const QString &text, const AppSettings &settings);
    // The rich-text field: the node file's bytes, read with their formatting.
    void setRichText(const QByteArray &fileBytes);

    const Header &header() const { return m_header; }
    Body body() const { return m_body; }
    const QStringList &memoLines() const { return m_memoLines; }
    // The date the header shows; today unless set.
    void setDate(const QDate &date) { m_date = date; }

    // Draws every page. False when the device could not be drawn on.
    bool print(QPagedPaintDevice *device) const;

private:
    Header m_header;
    Body m_body = Body::None;
    QStringList m_memoLines;
    QString m_memoFontName;
    int m_memoFontSize = 9;
    QByteArray m_richBytes;
    QDate m_date;
};
