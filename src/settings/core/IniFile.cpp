// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/IniFile.h"

#include "common/DorvuError.h"
#include "common/FileRead.h"
#include "common/ProgramFolder.h"
#include "common/SjisCodec.h"
#include "common/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr qsizetype kMaxValue = 2047;
// config.ini is a few kilobytes; anything beyond this is not read (and not rewritten).
constexpr qint64 kMaxFile = qint64(64) * 1024 * 1024;
// Timestamps within this distance of the moment a file was read may hide a later change of the
// same size in the same clock tick; such cache entries are checked against the bytes.
constexpr qint64 kRacyNs = IniFile::RacyWindowMs * 1000 * 1000;
constexpr int kMaxCacheEntries = 32;

// ---- Line classification ------------------------------------------------------------------

inline bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

enum class LineKind { Other, Section, Key };

struct LineInfo
{
    LineKind kind = LineKind::Other;
    QStringView name;  // section or key name, blanks trimmed
    QStringView value; // raw text behind the first "=" (keys only)
};

/// "[name]" (text up to the last "]", blanks trimmed) is a section; "name=value" with a
/// non-empty name is a key; a line starting with ";" is a comment; anything else is foreign.
LineInfo classify(QStringView line)
{
    LineInfo info;
    const QStringView t = trimBlanks(line);
    if (t.isEmpty())
        return info;
    if (t.front() == u'[') {
        const qsizetype close = t.lastIndexOf(u']');
        if (close > 0) {
            info.kind = LineKind::Section;
            info.name = trimBlanks(t.mid(1, close - 1));
            return info;
        }
    }
    if (t.front() == u';')
        return info;
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0)
        return info;
    const QStringView name = trimBlanks(t.left(eq));
    if (name.isEmpty())
        return info;
    info.kind = LineKind::Key;
    info.name = name;
    info.value = t.mid(eq + 1);
    return info;
}

/// The form in which names are compared: case-folded (ASCII quickly, the rest by Unicode).
QString fold(QStringView name)
{
    QString out(name.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 0x80)
            return name.toString().toCaseFolded();
        dst[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
    }
    return out;
}

/// The value as read: blanks trimmed, one pair of matching quotes removed, at most 2047 chars.
QString readValue(QStringView raw)
{
    QStringView v = trimBlanks(raw);
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(kMaxValue).toString();
}

// ---- Parsed file -----------------------------------------------------------------------------

struct Parsed
{
    QByteArray raw;
    QHash<QString, QHash<QString, QString>> sections; // folded names; first occurrence only
};

std::shared_ptr<const Parsed> parse(QByteArray bytes)
{
    auto p = std::make_shared<Parsed>();
    const QString text = SjisCodec::decode(bytes);
    p->raw = std::move(bytes);

    QHash<QString, QString> *current = nullptr; // null: before any section or in a duplicate
    const QChar *data = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && data[end] != u'\r' && data[end] != u'\n')
            ++end;
        const LineInfo info = classify(QStringView(data + start, end - start));
        if (info.kind == LineKind::Section) {
            QString key = fold(info.name);
            if (p->sections.contains(key))
                current = nullptr;
            else
                current = &*p->sections.emplace(std::move(key));
        } else if (info.kind == LineKind::Key && current) {
            QString key = fold(info.name);
            if (!current->contains(key))
                current->emplace(std::move(key), readValue(info.value));
        }
        if (end < n && data[end] == u'\r' && end + 1 < n && data[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return p;
}

const std::shared_ptr<const Parsed> &emptyParsed()
{
    static const std::shared_ptr<const Parsed> empty = std::make_shared<Parsed>();
    return empty;
}

// ---- File access -----------------------------------------------------------------------------

struct Stamp
{
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    timespec ctime{};

    static Stamp of(const struct stat &st)
    {
        Stamp s;
        s.dev = st.st_dev;
        s.ino = st.st_ino;
        s.size = st.st_size;
        s.mtime = st.st_mtim;
        s.ctime = st.st_ctim;
        return s;
    }
    bool operator==(const Stamp &o) const
    {
        return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
               mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
               ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

qint64 toNs(const timespec &t)
{
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

qint64 nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return toNs(t);
}

enum class ReadResult { Ok, Missing, Failed };

/// Reads a regular file whole (at most kMaxFile bytes; \a truncated tells). Missing: no such
/// file. Failed: it exists but is no regular file or cannot be read.
ReadResult readFile(const QString &path, QByteArray *bytes, Stamp *stamp, bool *truncated)
{
    FileRead::Result file = FileRead::read(path, kMaxFile);
    if (file.status != FileRead::Status::Ok)
        return file.status == FileRead::Status::Missing ? ReadResult::Missing : ReadResult::Failed;
    *stamp = Stamp::of(file.info);
    *bytes = std::move(file.bytes);
    *truncated = !file.complete;
    return ReadResult::Ok;
}

// ---- Parse cache -----------------------------------------------------------------------------

struct CacheEntry
{
    Stamp stamp;
    bool racy = true;
    std::shared_ptr<const Parsed> parsed;
};

struct Cache
{
    QMutex mutex;
    QHash<QString, CacheEntry> entries;
};

Cache &cache()
{
    static Cache c;
    return c;
}

std::atomic<bool> g_cacheEnabled{true};

void invalidate(const QString &path)
{
    Cache &c = cache();
    QMutexLocker lock(&c.mutex);
    c.entries.remove(path);
}

bool isRacy(const Stamp &stamp, qint64 readNs)
{
    return toNs(stamp.mtime) >= readNs - kRacyNs || toNs(stamp.ctime) >= readNs - kRacyNs;
}

std::shared_ptr<const Parsed> load(const QString &path)
{
    const bool useCache = g_cacheEnabled.load(std::memory_order_relaxed);
    if (useCache) {
        struct stat st;
        if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
            return emptyParsed();
        const Stamp now = Stamp::of(st);
        Cache &c = cache();
        QMutexLocker lock(&c.mutex);
        auto it = c.entries.find(path);
        if (it != c.entries.end() && it->stamp == now && !it->racy)
            return it->parsed;
    }

    const qint64 readNs = nowNs();
    QByteArray bytes;
    Stamp stamp;
    bool truncated = false;
    if (readFile(path, &bytes, &stamp, &truncated) != ReadResult::Ok)
        return emptyParsed();
    if (!useCache)
        return parse(std::move(bytes));

    Cache &c = cache();
    {
        // A racy entry whose bytes are unchanged is still good: no parse needed.
        QMutexLocker lock(&c.mutex);
        auto it = c.entries.find(path);
        if (it != c.entries.end() && it->stamp == stamp && it->parsed->raw == bytes) {
            it->racy = isRacy(stamp, readNs);
            return it->parsed;
        }
    }
    std::shared_ptr<const Parsed> parsed = parse(std::move(bytes));
    QMutexLocker lock(&c.mutex);
    if (c.entries.size() >= kMaxCacheEntries && !c.entries.contains(path))
        c.entries.clear();
    CacheEntry &e = c.entries[path];
    e.stamp = stamp;
    e.racy = isRacy(stamp, readNs);
    e.parsed = parsed;
    return parsed;
}

const QString *lookup(const Parsed &p, const QString &section, const QString &key)
{
    if (p.sections.isEmpty())
        return nullptr;
    const auto s = p.sections.constFind(fold(section));
    if (s == p.sections.constEnd())
        return nullptr;
    const auto k = s->constFind(fold(key));
    return k == s->constEnd() ? nullptr : &k.value();
}

/// A name or value must stay on its line.
QString oneLine(QString s)
{
    for (QChar &c : s) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return s;
}

} // namespace

// ---- IniFile ---------------------------------------------------------------------------------

IniFile::IniFile(const QString &path)
    : m_path(path)
{}

IniFile IniFile::config()
{
    return IniFile(ProgramFolder::file(QStringLiteral("config.ini")));
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const std::shared_ptr<const Parsed> p = load(m_path);
    const QString *v = lookup(*p, section, key);
    return v ? *v : def;
}

int IniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const std::shared_ptr<const Parsed> p = load(m_path);
    const QString *v = lookup(*p, section, key);
    if (!v)
        return def;
    int result;
    return parseInteger(*v, &result) ? result : def;
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString fullPath = QFileInfo(m_path).absoluteFilePath();
    const auto fail = [&fullPath]() {
        return DorvuError(QStringLiteral("%1 に書き込めません").arg(fullPath));
    };
    // Whatever happens below, the next read goes to the file.
    invalidate(m_path);

    QByteArray old;
    Stamp stamp;
    bool truncated = false;
    const ReadResult r = readFile(m_path, &old, &stamp, &truncated);
    // Never replace a file that could not be read whole: its content would be lost.
    if (r == ReadResult::Failed || truncated)
        throw fail();
    const bool exists = r == ReadResult::Ok;

    const QString sec = oneLine(section);
    const QString k = oneLine(key);
    const QString line = k + QLatin1Char('=') + oneLine(value);
    const QString foldedSec = fold(sec);
    const QString foldedKey = fold(k);

    // The file's lines as bytes: untouched lines go back exactly as they were (only their line
    // ends become CR LF), even where Shift_JIS has two codes for one character.
    // CR and LF are never part of a Shift_JIS double-byte character, so splitting bytes is safe.
    QList<QByteArray> lines = TextFile::splitByteLines(old);
    qsizetype header = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = SjisCodec::decode(lines.at(i));
        const LineInfo info = classify(text);
        if (info.kind == LineKind::Section && fold(info.name) == foldedSec) {
            header = i;
            break;
        }
    }
    if (header < 0) {
        // A new section at the end of the file, set off by an empty line.
        if (!lines.isEmpty() && !trimBlanks(SjisCodec::decode(lines.constLast())).isEmpty())
            lines.append(QByteArray());
        lines.append(SjisCodec::encode(QLatin1Char('[') + sec + QLatin1Char(']')));
        lines.append(SjisCodec::encode(line));
    } else {
        qsizetype lastKey = header;
        qsizetype found = -1;
        QString foundName;
        for (qsizetype i = header + 1; i < lines.size(); ++i) {
            const QString text = SjisCodec::decode(lines.at(i));
            const LineInfo info = classify(text);
            if (info.kind == LineKind::Section)
                break;
            if (info.kind == LineKind::Key) {
                if (fold(info.name) == foldedKey) {
                    found = i;
                    foundName = info.name.toString();
                    break;
                }
                lastKey = i;
            }
        }
        if (found >= 0) {
            // In place; the key keeps its spelling.
            lines[found] = SjisCodec::encode(foundName + QLatin1Char('=') + oneLine(value));
        } else {
            // Behind the section's last key: blank lines and comments before the next section
            // stay where they are.
            lines.insert(lastKey + 1, SjisCodec::encode(line));
        }
    }

    qsizetype total = 0;
    for (const QByteArray &l : std::as_const(lines))
        total += l.size() + 2;
    QByteArray bytes;
    bytes.reserve(total);
    for (const QByteArray &l : std::as_const(lines)) {
        bytes += l;
        bytes += "\r\n";
    }
    if (exists && bytes == old)
        return; // already on disk exactly so
    try {
        TextFile::writeBytes(m_path, bytes);
    } catch (const DorvuError &) {
        throw fail();
    }
    invalidate(m_path);
}

void IniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::setCacheEnabled(bool enabled)
{
    g_cacheEnabled.store(enabled);
    if (!enabled) {
        Cache &c = cache();
        QMutexLocker lock(&c.mutex);
        c.entries.clear();
    }
}

bool IniFile::cacheEnabled()
{
    return g_cacheEnabled.load();
}

bool IniFile::parseInteger(QStringView text, int *value)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && text[i] == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;
    quint64 v = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        unsigned d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return false;
        v = v * (hex ? 16 : 10) + d;
        // Hexadecimal holds 32 bits (as the bit pattern); decimal must fit the signed range.
        if (v > (hex ? quint64(0xFFFFFFFFu) : quint64(2147483648u)))
            return false;
    }
    if (hex) {
        quint32 u = quint32(v);
        if (negative)
            u = 0u - u;
        *value = qint32(u);
        return true;
    }
    if (!negative && v > 2147483647u)
        return false;
    *value = negative ? int(-qint64(v)) : int(v);
    return true;
}
