#include "base/inifile.h"

#include "base/diskfile.h"
#include "base/sjiscodec.h"

#include <QFileInfo>

#include <limits>

namespace {

bool isBlank(QChar c)
{
    // The blanks the profile routines trim: white space and the end-of-file mark.
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\v' || u == u'\f' || u == 0x1A;
}

QString trimmed(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && isBlank(text.at(b)))
        ++b;
    while (e > b && isBlank(text.at(e - 1)))
        --e;
    return text.mid(b, e - b).toString();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(const QString &value)
{
    if (value.size() >= 2) {
        const QChar q = value.front();
        if ((q == u'"' || q == u'\'') && value.back() == q)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// The longest head of the text that fits in `maxBytes` Shift-JIS bytes, whole characters only.
QString cutToBytes(const QString &text, int maxBytes)
{
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isLowSurrogate())
            continue;
        const int w = Sjis::charWidth(c.isHighSurrogate() && i + 1 < text.size()
                                          ? QChar::surrogateToUcs4(c, text.at(i + 1))
                                          : char32_t(c.unicode()));
        if (bytes + w > maxBytes)
            return text.left(i);
        bytes += w;
    }
    return text;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool holdsLineBreakOrNul(const QString &text)
{
    for (QChar c : text)
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            return true;
    return false;
}

// A key line's raw key bytes: everything before the first "=", blanks trimmed. Looking
// at the raw bytes is safe here: "=" (0x3D) and the blanks are below 0x40, so they are
// never the second byte of a double-byte character.
QByteArray rawKey(const QByteArray &line)
{
    const qsizetype eq = line.indexOf('=');
    QByteArray key = line.left(eq < 0 ? line.size() : eq);
    qsizetype b = 0;
    qsizetype e = key.size();
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1A; };
    while (b < e && blank(key.at(b)))
        ++b;
    while (e > b && blank(key.at(e - 1)))
        --e;
    return key.mid(b, e - b);
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
    if (!QFileInfo::exists(path))
        return;
    const DiskFile::ReadResult r = DiskFile::read(path);
    if (!r.ok)
        return;
    m_loaded = true;
    // Split at CR LF, lone CR and lone LF on the bytes: 0x0D and 0x0A are never the
    // second byte of a Shift-JIS character.
    const QByteArray &b = r.bytes;
    const qsizetype n = b.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = b.at(i);
        if (c != '\r' && c != '\n')
            continue;
        qsizetype end = i;
        if (c == '\r' && i + 1 < n && b.at(i + 1) == '\n')
            ++i;
        m_lines.push_back(parseLine(b.mid(start, end - start), b.mid(end, i + 1 - end)));
        start = i + 1;
    }
    if (start < n)
        m_lines.push_back(parseLine(b.mid(start), QByteArray()));
}

IniFile::Line IniFile::parseLine(const QByteArray &bytes, const QByteArray &eol)
{
    Line line;
    line.bytes = bytes;
    line.eol = eol;
    const QString text = trimmed(Sjis::decode(bytes));
    if (text.isEmpty()) {
        line.kind = Kind::Blank;
    } else if (text.front() == u';') {
        line.kind = Kind::Comment;
    } else if (text.front() == u'[' && text.lastIndexOf(u']') > 0) {
        line.kind = Kind::Section;
        line.name = trimmed(QStringView(text).mid(1, text.lastIndexOf(u']') - 1));
    } else if (const qsizetype eq = text.indexOf(u'='); eq >= 0) {
        line.kind = Kind::Entry;
        line.name = trimmed(QStringView(text).left(eq));
        line.value = trimmed(QStringView(text).mid(eq + 1));
    } else {
        line.kind = Kind::Other;
        line.name = text;
    }
    return line;
}

int IniFile::findSection(const QString &section) const
{
    const QString name = trimmed(section);
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, name))
            return int(i);
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < int(m_lines.size()) && m_lines[size_t(i)].kind != Kind::Section)
        ++i;
    return i;
}

int IniFile::findKey(int header, const QString &key) const
{
    const QString name = trimmed(key);
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line &l = m_lines[size_t(i)];
        if (l.kind == Kind::Entry && sameName(l.name, name))
            return i;
    }
    return -1;
}

const IniFile::Line *IniFile::entry(const QString &section, const QString &key) const
{
    const int header = findSection(section);
    if (header < 0)
        return nullptr;
    const int at = findKey(header, key);
    return at < 0 ? nullptr : &m_lines[size_t(at)];
}

bool IniFile::hasSection(const QString &section) const
{
    return findSection(section) >= 0;
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    return entry(section, key) != nullptr;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const Line *l = entry(section, key);
    if (!l)
        return def;
    return cutToBytes(unquoted(l->value), MaxValueBytes);
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    const Line *l = entry(section, key);
    if (!l)
        return def;
    return parseInteger(readString(section, key)).value_or(def);
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    const Line *l = entry(section, key);
    if (!l)
        return def;
    const std::optional<int> v = parseInteger(readString(section, key));
    return v ? *v != 0 : def;
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const Line &l : m_lines)
        if (l.kind == Kind::Section && !names.contains(l.name, Qt::CaseInsensitive))
            names.append(l.name);
    return names;
}

QStringList IniFile::keyNames(const QString &section) const
{
    QStringList names;
    const int header = findSection(section);
    if (header < 0)
        return names;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line &l = m_lines[size_t(i)];
        if (l.kind == Kind::Entry && !names.contains(l.name, Qt::CaseInsensitive))
            names.append(l.name);
    }
    return names;
}

QStringList IniFile::sectionLines(const QString &section) const
{
    QStringList lines;
    const int header = findSection(section);
    if (header < 0)
        return lines;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line &l = m_lines[size_t(i)];
        if (l.kind == Kind::Entry)
            lines.append(l.name + u'=' + l.value);
        else if (l.kind == Kind::Other)
            lines.append(l.name);
    }
    return lines;
}

void IniFile::insertLine(int at, const QByteArray &bytes)
{
    // A last line without a line break gets one before anything follows it.
    if (at > 0 && at == int(m_lines.size()) && m_lines.back().eol.isEmpty())
        m_lines.back().eol = "\r\n";
    Line line = parseLine(bytes, "\r\n");
    m_lines.insert(m_lines.begin() + at, line);
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value, QString *error)
{
    return writeValue(section, key, value, false, error);
}

bool IniFile::writeStored(const QString &section, const QString &key, const QString &stored, QString *error)
{
    return writeValue(section, key, stored, true, error);
}

bool IniFile::writeValue(const QString &section, const QString &key, const QString &value, bool asStored,
                         QString *error)
{
    auto refuse = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("INIファイル %1 の [%2] %3 を書き込めません。(%4)").arg(m_path, section, key, why);
        return false;
    };
    const QString sec = trimmed(section);
    const QString k = trimmed(key);
    if (sec.isEmpty())
        return refuse(QStringLiteral("セクション名が空です"));
    if (k.isEmpty())
        return refuse(QStringLiteral("キー名が空です"));
    if (holdsLineBreakOrNul(sec) || holdsLineBreakOrNul(k) || holdsLineBreakOrNul(value))
        return refuse(QStringLiteral("改行を含んでいます"));
    if (k.contains(u'=') || k.front() == u'[' || k.front() == u';')
        return refuse(QStringLiteral("キー名に使えない文字があります"));

    if (Sjis::byteLength(value) > MaxValueBytes)
        return refuse(QStringLiteral("値が %1 バイトを超えています").arg(MaxValueBytes));

    // Reading trims the value and takes one pair of enclosing quotes off; a value that
    // would lose something that way is written inside quotes, which reading removes.
    const bool quote = !asStored && !value.isEmpty()
                       && (isBlank(value.front()) || isBlank(value.back()) || unquoted(value) != value);
    if (asStored && !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back())))
        return refuse(QStringLiteral("値の前後に空白があります"));
    const QString stored = quote ? u'"' + value + u'"' : value;
    const Sjis::Encoded encValue = Sjis::encode(stored);
    const Sjis::Encoded encKey = Sjis::encode(k);
    const Sjis::Encoded encSection = Sjis::encode(sec);
    if (!encValue.ok || !encKey.ok || !encSection.ok)
        return refuse(QStringLiteral("Shift-JISで保存できない文字があります: %1")
                          .arg(encSection.unencodable + encKey.unencodable + encValue.unencodable));

    const int header = findSection(sec);
    if (header >= 0) {
        const int at = findKey(header, k);
        if (at >= 0) {
            Line &l = m_lines[size_t(at)];
            if (l.value == stored)
                return true;
            const QByteArray eol = l.eol;
            l = parseLine(rawKey(l.bytes) + '=' + encValue.bytes, eol);
            m_modified = true;
            return true;
        }
        // After the last entry of the section, before its trailing blanks and comments.
        int after = header;
        const int end = sectionEnd(header);
        for (int i = header + 1; i < end; ++i)
            if (m_lines[size_t(i)].kind == Kind::Entry || m_lines[size_t(i)].kind == Kind::Other)
                after = i;
        insertLine(after + 1, encKey.bytes + '=' + encValue.bytes);
        m_modified = true;
        return true;
    }
    insertLine(int(m_lines.size()), '[' + encSection.bytes + ']');
    insertLine(int(m_lines.size()), encKey.bytes + '=' + encValue.bytes);
    m_modified = true;
    return true;
}

bool IniFile::writeInteger(const QString &section, const QString &key, int value, QString *error)
{
    return writeString(section, key, QString::number(value), error);
}

bool IniFile::writeBool(const QString &section, const QString &key, bool value, QString *error)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"), error);
}

bool IniFile::eraseKey(const QString &section, const QString &key)
{
    const int header = findSection(section);
    if (header < 0)
        return false;
    bool erased = false;
    for (int at = findKey(header, key); at >= 0; at = findKey(header, key)) {
        m_lines.erase(m_lines.begin() + at);
        erased = true;
    }
    m_modified = m_modified || erased;
    return erased;
}

bool IniFile::eraseSection(const QString &section)
{
    const int header = findSection(section);
    if (header < 0)
        return false;
    m_lines.erase(m_lines.begin() + header, m_lines.begin() + sectionEnd(header));
    m_modified = true;
    return true;
}

QByteArray IniFile::bytes() const
{
    QByteArray out;
    for (const Line &l : m_lines) {
        out += l.bytes;
        out += l.eol;
    }
    return out;
}

bool IniFile::save(QString *error)
{
    if (!m_modified)
        return true;
    // A file that is there but could not be read would lose every other line.
    if (!m_loaded && QFileInfo::exists(m_path)) {
        if (error)
            *error = QStringLiteral("ファイル %1 を読めないため、書き換えません。").arg(m_path);
        return false;
    }
    if (!DiskFile::writeAtomic(m_path, bytes(), error))
        return false;
    m_modified = false;
    m_loaded = true;
    return true;
}

std::optional<int> IniFile::parseInteger(const QString &text)
{
    const QString t = trimmed(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-')) {
        negative = t.at(i) == u'-';
        ++i;
    }
    bool hex = false;
    if (i < t.size() && t.at(i) == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < t.size() && t.at(i) == u'0' && (t.at(i + 1) == u'x' || t.at(i + 1) == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= t.size())
        return std::nullopt;

    if (hex) {
        quint64 v = 0;
        for (; i < t.size(); ++i) {
            const int d = hexDigit(t.at(i));
            if (d < 0)
                return std::nullopt;
            v = v * 16 + quint64(d);
            if (v > 0xFFFFFFFFull)
                return std::nullopt;
        }
        const qint32 bits = qint32(quint32(v));
        return negative ? int(-qint64(bits)) : int(bits);
    }

    qint64 v = 0;
    for (; i < t.size(); ++i) {
        const char16_t u = t.at(i).unicode();
        if (u < u'0' || u > u'9')
            return std::nullopt;
        v = v * 10 + (u - u'0');
        if (v > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(v);
}
