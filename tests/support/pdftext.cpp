#include "support/pdftext.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace PdfText {

namespace {

// CJK fonts draw some kanji with the glyph of the matching radical (行 and ⾏), and
// the PDF's text map then names the radical: read those back as the kanji.
QString kanjiForRadicals(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if ((c >= 0x2E80 && c <= 0x2EFF) || (c >= 0x2F00 && c <= 0x2FDF))
            text.replace(i, 1, QString(text.at(i)).normalized(QString::NormalizationForm_KC));
    }
    return text;
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return kanjiForRadicals(QString::fromUtf8(p.readAllStandardOutput()));
}

} // namespace

int pageCount(const QString &pdfPath)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(run(QStringLiteral("pdfinfo"), {pdfPath}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString text(const QString &pdfPath, int page)
{
    QStringList args{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << pdfPath << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), args);
}

QList<Word> words(const QString &pdfPath)
{
    QList<Word> out;
    QXmlStreamReader xml(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                                          QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")}));
    constexpr double mmPerPoint = 25.4 / 72.0;
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            const double x0 = a.value(QLatin1String("xMin")).toDouble(), y0 = a.value(QLatin1String("yMin")).toDouble();
            const double x1 = a.value(QLatin1String("xMax")).toDouble(), y1 = a.value(QLatin1String("yMax")).toDouble();
            out.append(Word{page, xml.readElementText(),
                            QRectF(QPointF(x0 * mmPerPoint, y0 * mmPerPoint), QPointF(x1 * mmPerPoint, y1 * mmPerPoint))});
        }
    }
    return out;
}

Images images(const QString &pdfPath)
{
    Images result;
    // After two heading lines, one line per picture: page num type width height ...
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath}).split(u'\n');
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList cols = lines.at(i).split(u' ', Qt::SkipEmptyParts);
        if (cols.size() < 5 || cols.at(2) != QLatin1String("image"))
            continue;
        if (result.count++ == 0)
            result.firstSize = QSize(cols.at(3).toInt(), cols.at(4).toInt());
    }
    return result;
}

} // namespace PdfText
