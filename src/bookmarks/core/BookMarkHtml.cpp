// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/BookMarkHtml.h"

#include "common/DorvuError.h"
#include "common/FileRead.h"
#include "common/JapaneseCharset.h"
#include "common/SjisCodec.h"

#include <QStringDecoder>

#include <gumbo.h>
#include <unicode/ucnv.h>

#include <cctype>
#include <cstring>
#include <vector>

namespace {

bool isShiftJisName(const QString &name)
{
    static const QStringList names{
        QStringLiteral("shift_jis"), QStringLiteral("shift-jis"), QStringLiteral("sjis"),
        QStringLiteral("x-sjis"),    QStringLiteral("ms_kanji"),  QStringLiteral("windows-31j"),
        QStringLiteral("cp932"),     QStringLiteral("ms932"),     QStringLiteral("csshiftjis")};
    return names.contains(name.toLower());
}

/// The encoding of a bookmark file that names none: the Japanese one it is written in, else
/// UTF-8 for seven-bit or UTF-8 text, else Shift_JIS, what such files were written in.
QString detect(const QByteArray &bytes)
{
    if (const char *japanese = JapaneseCharset::detect(bytes.constData(), bytes.size()))
        return QString::fromLatin1(japanese);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes); // decoded only to learn whether it is UTF-8
    if (!utf8.hasError())
        return QStringLiteral("UTF-8");
    return QStringLiteral("Shift_JIS");
}

QString decodeIcu(const QByteArray &bytes, const QByteArray &encoding, bool *known)
{
    UErrorCode status = U_ZERO_ERROR;
    UConverter *conv = ucnv_open(encoding.constData(), &status);
    *known = U_SUCCESS(status);
    if (!*known)
        return QString();
    // No encoding of these turns one byte into more than two UTF-16 units.
    std::vector<UChar> out(size_t(bytes.size()) * 2 + 4);
    const int32_t length = ucnv_toUChars(conv, out.data(), int32_t(out.size()), bytes.constData(),
                                         int32_t(bytes.size()), &status);
    ucnv_close(conv);
    if (U_FAILURE(status))
        return QString();
    return QString(reinterpret_cast<const QChar *>(out.data()), length);
}

/// The text of \a node and its descendants, white space collapsed.
void appendText(const GumboNode *node, QByteArray *text)
{
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
        node->type == GUMBO_NODE_CDATA) {
        text->append(node->v.text.text);
        return;
    }
    if (node->type != GUMBO_NODE_ELEMENT)
        return;
    const GumboVector &children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i)
        appendText(static_cast<const GumboNode *>(children.data[i]), text);
}

QString textOf(const GumboNode *node)
{
    QByteArray text;
    appendText(node, &text);
    return QString::fromUtf8(text).simplified();
}

class Reader
{
public:
    int replaced = 0;

    /// Reads the items below \a node into \a out. \a pending: the folder (an index of
    /// \a out) that the next list belongs to, -1 when none.
    void items(const GumboNode *node, QList<BookMarkNode> *out, qsizetype *pending, int depth)
    {
        const GumboVector &children = node->v.element.children;
        for (unsigned i = 0; i < children.length; ++i) {
            const auto *child = static_cast<const GumboNode *>(children.data[i]);
            if (child->type != GUMBO_NODE_ELEMENT)
                continue;
            switch (child->v.element.tag) {
            case GUMBO_TAG_H3:
                out->append(
                    BookMarkNode{fit(textOf(child)), QString(), BookMarkNode::FolderImage, {}});
                *pending = out->size() - 1;
                break;
            case GUMBO_TAG_A: {
                const GumboAttribute *href =
                    gumbo_get_attribute(&child->v.element.attributes, "href");
                if (href) {
                    out->append(BookMarkNode{fit(textOf(child)),
                                             fit(QString::fromUtf8(href->value).trimmed()),
                                             BookMarkNode::EntryImage,
                                             {}});
                }
                *pending = -1;
                break;
            }
            case GUMBO_TAG_DL: {
                QList<BookMarkNode> *into = out;
                if (*pending >= 0 &&
                    depth < BookMarkNode::MaxDepth /* deeper items join the deepest folder */)
                    into = &(*out)[*pending].children;
                *pending = -1;
                qsizetype inner = -1;
                items(child, into, &inner, into == out ? depth : depth + 1);
                break;
            }
            case GUMBO_TAG_DD: // a description
            case GUMBO_TAG_HR: // a separator
            case GUMBO_TAG_H1: // the file's title
            case GUMBO_TAG_TITLE:
            case GUMBO_TAG_SCRIPT:
            case GUMBO_TAG_STYLE:
                break;
            default:
                items(child, out, pending, depth);
                break;
            }
        }
    }

private:
    QString fit(const QString &text)
    {
        bool changed = false;
        QString fitted = BookMarkHtml::fitShiftJis(text, &changed);
        if (changed)
            ++replaced;
        return fitted;
    }
};

} // namespace

namespace BookMarkHtml {

QString encodingOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("UTF-8");
    if (bytes.startsWith("\xFF\xFE"))
        return QStringLiteral("UTF-16LE");
    if (bytes.startsWith("\xFE\xFF"))
        return QStringLiteral("UTF-16BE");
    const QString declared =
        QString::fromLatin1(JapaneseCharset::declared(bytes.constData(), bytes.size()));
    if (!declared.isEmpty()) {
        if (isShiftJisName(declared))
            return QStringLiteral("Shift_JIS");
        UErrorCode status = U_ZERO_ERROR;
        UConverter *conv = ucnv_open(declared.toLatin1().constData(), &status);
        if (U_SUCCESS(status)) {
            ucnv_close(conv);
            return declared;
        }
    }
    return detect(bytes);
}

QString decode(const QByteArray &bytes, const QString &encoding)
{
    if (isShiftJisName(encoding))
        return SjisCodec::decode(bytes);
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    else if (body.startsWith("\xFF\xFE") || body.startsWith("\xFE\xFF"))
        body.remove(0, 2);
    bool known = false;
    if (encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0) {
        const QString text = decodeIcu(body, encoding.toLatin1(), &known);
        if (known)
            return text;
    }
    return QString::fromUtf8(body);
}

QString fitShiftJis(const QString &text, bool *changed)
{
    *changed = false;
    if (SjisCodec::decode(SjisCodec::encode(text)) == text)
        return text;
    QString fitted;
    fitted.reserve(text.size());
    const QList<uint> points = text.toUcs4();
    for (const uint point : points) {
        const QString c = QString::fromUcs4(reinterpret_cast<const char32_t *>(&point), 1);
        const QString held = SjisCodec::decode(SjisCodec::encode(c));
        if (held == c) {
            fitted += c;
            continue;
        }
        *changed = true;
        const QString compatible = c.normalized(QString::NormalizationForm_KC);
        if (compatible != c && SjisCodec::decode(SjisCodec::encode(compatible)) == compatible)
            fitted += compatible;
        else
            fitted += QLatin1Char('?');
    }
    return fitted;
}

// The text formatting tags, which a bookmark file does not need: nested by the thousand and
// never closed, they make the HTML parser's work grow with the square of their number (21,000
// unclosed <b> take it 10 s). Taken out before parsing; their text stays.
QByteArray withoutFormattingTags(const QByteArray &html)
{
    static const QByteArrayList names{"b", "big",   "code",   "em",     "font", "i", "nobr",
                                      "s", "small", "strike", "strong", "tt",   "u"};
    QByteArray out;
    out.reserve(html.size());
    qsizetype i = 0;
    while (i < html.size()) {
        const qsizetype lt = html.indexOf('<', i);
        if (lt < 0) {
            out.append(html.constData() + i, html.size() - i);
            break;
        }
        out.append(html.constData() + i, lt - i);
        qsizetype p = lt + 1;
        if (p < html.size() && html.at(p) == '/')
            ++p;
        qsizetype end = p;
        while (end < html.size() && std::isalpha(static_cast<unsigned char>(html.at(end))))
            ++end;
        const qsizetype close = html.indexOf('>', end);
        const bool delimited = end < html.size() && (html.at(end) == '>' || html.at(end) == ' ' ||
                                                     html.at(end) == '\t' || html.at(end) == '/');
        if (close >= 0 && delimited && names.contains(html.mid(p, end - p).toLower())) {
            i = close + 1; // the tag goes, its text stays
        } else {
            out.append('<');
            i = lt + 1;
        }
    }
    return out;
}

Result read(const QByteArray &bytes)
{
    Result result;
    result.encoding = encodingOf(bytes);
    const QByteArray utf8 = withoutFormattingTags(decode(bytes, result.encoding).toUtf8());
    GumboOutput *output =
        gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), size_t(utf8.size()));
    if (!output)
        return result;
    Reader reader;
    qsizetype pending = -1;
    if (output->root && output->root->type == GUMBO_NODE_ELEMENT)
        reader.items(output->root, &result.nodes, &pending, 0);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    result.replaced = reader.replaced;
    return result;
}

Result load(const QString &path)
{
    const FileRead::Result file = FileRead::read(path);
    if (!file.ok())
        throw DorvuError(QStringLiteral("ファイル %1 は開けません").arg(path));
    return read(file.bytes);
}

} // namespace BookMarkHtml
