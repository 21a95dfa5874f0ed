#include "base/settingsfile.h"

#include "base/inifile.h"

#include <QFileInfo>

namespace {

// The one table of the file. Io reads or writes each entry; the order of the calls is
// the order of the keys in the file.
template <class Io>
void fontKeys(Io &io, const QString &section, ViewFontSettings &f, const ViewFontSettings &d)
{
    io.string(section, QStringLiteral("FontName"), f.FontName, d.FontName);
    io.integer(section, QStringLiteral("FonrSize"), f.FontSize, d.FontSize);
    io.string(section, QStringLiteral("FontColor"), f.FontColor, d.FontColor);
    io.integer(section, QStringLiteral("FonrColorI"), f.FontColorIndex, d.FontColorIndex);
    io.string(section, QStringLiteral("FontBColor"), f.BackColor, d.BackColor);
    io.integer(section, QStringLiteral("FonrBColorI"), f.BackColorIndex, d.BackColorIndex);
}

template <class Io>
void eachKey(Io &io, AppSettings &s, SettingsFile::Session &session)
{
    const AppSettings d;
    const QString form = QStringLiteral("Form");
    io.integer(form, QStringLiteral("Top"), s.FormTop, d.FormTop);
    io.integer(form, QStringLiteral("Left"), s.FormLeft, d.FormLeft);
    io.integer(form, QStringLiteral("Width"), s.FormWidth, d.FormWidth);
    io.integer(form, QStringLiteral("Height"), s.FormHeight, d.FormHeight);
    io.integer(QStringLiteral("TreePanel"), QStringLiteral("Width"), s.TreePanelWidth, d.TreePanelWidth);

    const QString tree = QStringLiteral("Tree");
    io.boolean(tree, QStringLiteral("1PSW"), s.FirstStartSW, d.FirstStartSW);
    io.string(tree, QStringLiteral("Name"), s.UserName, d.UserName);
    io.integer(tree, QStringLiteral("Orvan履歴数"), s.HistoryCount, d.HistoryCount);
    io.boolean(tree, QStringLiteral("編集ﾉｰﾄﾞ復帰SW"), s.RestoreNodeSW, d.RestoreNodeSW);
    io.boolean(tree, QStringLiteral("OLEDISP"), s.OleIconic, d.OleIconic);
    io.string(tree, QStringLiteral("最終編集ﾊﾟｽ"), session.nodePath, QString());
    io.string(tree, QStringLiteral("最終編集ﾉｰﾄﾞ"), session.nodeName, QString());
    io.string(tree, QStringLiteral("TreeFileName"), session.treeFileName, QString());

    const QString treeView = QStringLiteral("Tree環境SET");
    io.boolean(treeView, QStringLiteral("Root"), s.TreeRootSW, d.TreeRootSW);
    io.boolean(treeView, QStringLiteral("Line"), s.TreeLineSW, d.TreeLineSW);
    io.boolean(treeView, QStringLiteral("Button"), s.TreeButtonSW, d.TreeButtonSW);
    fontKeys(io, treeView, s.Tree, d.Tree);

    const QString memo = QStringLiteral("Memo環境SET");
    fontKeys(io, memo, s.Memo, d.Memo);
    io.boolean(memo, QStringLiteral("Warp"), s.MemoWrap, d.MemoWrap);
    io.integer(memo, QStringLiteral("TAB"), s.MemoTabWidth, d.MemoTabWidth);

    fontKeys(io, QStringLiteral("画像Memo環境SET"), s.ImageMemo, d.ImageMemo);
    fontKeys(io, QStringLiteral("OLEMemo環境SET"), s.OleMemo, d.OleMemo);

    const QString thumbs = QStringLiteral("ｻﾑﾈｰﾙ環境SET");
    io.integer(thumbs, QStringLiteral("画像ｻｲｽﾞ小"), s.ThumbSmall, d.ThumbSmall);
    io.integer(thumbs, QStringLiteral("画像ｻｲｽﾞ中"), s.ThumbMedium, d.ThumbMedium);
    io.integer(thumbs, QStringLiteral("画像ｻｲｽﾞ大"), s.ThumbLarge, d.ThumbLarge);
    io.integer(thumbs, QStringLiteral("画像ｻｲｽﾞ幅"), s.ThumbWidth, d.ThumbWidth);
    io.integer(thumbs, QStringLiteral("画像ｻｲｽﾞ高"), s.ThumbHeight, d.ThumbHeight);

    const QString print = QStringLiteral("印刷");
    io.boolean(print, QStringLiteral("タイトル"), s.PrintTitle, d.PrintTitle);
    io.boolean(print, QStringLiteral("ファイル名"), s.PrintFileName, d.PrintFileName);
    io.boolean(print, QStringLiteral("日付"), s.PrintDate, d.PrintDate);
    io.boolean(print, QStringLiteral("ページ数"), s.PrintPageCount, d.PrintPageCount);
    io.boolean(print, QStringLiteral("セパレータ"), s.PrintSeparator, d.PrintSeparator);
}

struct Reader {
    const IniFile &ini;
    void string(const QString &sec, const QString &key, QString &v, const QString &def)
    {
        v = ini.readString(sec, key, def);
    }
    void integer(const QString &sec, const QString &key, int &v, int def) { v = ini.readInteger(sec, key, def); }
    void boolean(const QString &sec, const QString &key, bool &v, bool def) { v = ini.readBool(sec, key, def); }
};

struct Writer {
    IniFile &ini;
    QStringList *errors;
    void check(bool ok, const QString &error)
    {
        if (!ok && errors)
            errors->append(error);
    }
    void string(const QString &sec, const QString &key, QString &v, const QString &)
    {
        QString error;
        check(ini.writeString(sec, key, v, &error), error);
    }
    void integer(const QString &sec, const QString &key, int &v, int)
    {
        QString error;
        check(ini.writeInteger(sec, key, v, &error), error);
    }
    void boolean(const QString &sec, const QString &key, bool &v, bool)
    {
        QString error;
        check(ini.writeBool(sec, key, v, &error), error);
    }
};

} // namespace

namespace SettingsFile {

AppSettings read(const IniFile &ini, QString *treeFileName)
{
    AppSettings s;
    Session session;
    Reader reader{ini};
    eachKey(reader, s, session);
    if (s.TreePanelWidth <= MinTreePanelWidth)
        s.TreePanelWidth = MinTreePanelWidth;
    s.LastNodePath = session.nodePath;
    s.LastNodeName = session.nodeName;
    if (treeFileName)
        *treeFileName = session.treeFileName;
    return s;
}

void write(IniFile &ini, const AppSettings &settings, const Session &session, QStringList *errors)
{
    AppSettings s = settings;
    Session values = session;
    Writer writer{ini, errors};
    eachKey(writer, s, values);
}

bool save(const QString &path, const AppSettings &settings, const Session &session, QString *error)
{
    IniFile ini(path);
    QStringList errors;
    // A file that exists but could not be read would be replaced by the keys alone.
    if (!ini.loaded() && QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("設定ファイル %1 を読めないため、書き込みません。").arg(path);
        return false;
    }
    write(ini, settings, session, &errors);
    QString saveError;
    if (!ini.save(&saveError))
        errors.append(saveError);
    if (error)
        *error = errors.join(u'\r');
    return errors.isEmpty();
}

} // namespace SettingsFile
