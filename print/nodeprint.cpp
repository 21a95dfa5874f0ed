#include "print/nodeprint.h"

#include "base/appsettings.h"
#include "base/diskfile.h"
#include "print/picturereport.h"
#include "print/textreport.h"
#include "tree/commentheader.h"
#include "tree/guardedtext.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/nodepicture.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>

namespace NodePrint {

QString refusalText()
{
    return QStringLiteral("ﾉｰﾄﾞ印刷できません");
}

bool canPrint(int kind)
{
    return kind == KindMemo || kind == KindRich || kind == KindImage;
}

Painter fillFromFiles(TListF &text, TListG &picture, const AppSettings &settings, int kind,
                      const QString &fsPath, const QString &nodeName, QString *error)
{
    text.prepareHeader(settings, nodeName, QDir::toNativeSeparators(fsPath));
    if (!canPrint(kind) || !QFileInfo(fsPath).isFile()) {
        if (error)
            *error = refusalText();
        return {};
    }
    if (kind == KindImage) {
        const NodePicture loaded = loadNodePicture(fsPath, ImageTypeOf(NodePaths::extOf(QFileInfo(fsPath).fileName())));
        if (!loaded.ok()) {
            if (error)
                *error = loaded.error;
            return {};
        }
        QString comment;
        const QString side = commentFilePath(fsPath);
        if (QFileInfo::exists(side)) {
            const DiskFile::ReadResult file = DiskFile::read(side);
            if (!file.ok) {
                if (error)
                    *error = file.error;
                return {};
            }
            comment = GuardedText::textOf(file.bytes);
        }
        picture.fill(nodeName, loaded.image, comment);
        return [&picture](QPagedPaintDevice *device) { return picture.print(device); };
    }
    const DiskFile::ReadResult file = DiskFile::read(fsPath);
    if (!file.ok) {
        if (error)
            *error = file.error;
        return {};
    }
    if (kind == KindMemo)
        text.setMemo(GuardedText::textOf(file.bytes), settings);
    else
        text.setRichText(file.bytes);
    return [&text](QPagedPaintDevice *device) { return text.print(device); };
}

bool writePdf(const Painter &painter, const QString &pdfPath, QString *error)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Orvane"));
        writer.setTitle(QFileInfo(pdfPath).completeBaseName());
        if (!painter(&writer)) {
            if (error)
                *error = QStringLiteral("%1 に印刷できませんでした").arg(QDir::toNativeSeparators(pdfPath));
            return false;
        }
    }
    return DiskFile::writeAtomic(pdfPath, buffer.data(), error);
}

} // namespace NodePrint
