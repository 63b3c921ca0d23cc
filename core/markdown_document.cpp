#include "markdown_document.h"

#include "markdown_fields.h"

#include <QUrl>

namespace {

// The characters that could start markup in a line of text; each is written
// after a backslash, so that it shows as typed.
bool isMarkup(QChar c) { return QStringView(u"\\`*_[]<>&~#").contains(c); }

// A multi-line field's text with LF line ends.
QString withLineFeeds(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
}

// A one-line field as it shows as typed: its markup escaped, a line break
// (which a one-line box does not hold, but the command line may give) as a
// hard break, a backslash at the end of the line.
QString escaped(const QString& text)
{
    QString result;
    result.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        if (c == u'\n' || c == u'\r')
            result += QStringLiteral("\\\n");
        else if (isMarkup(c))
            result += u'\\' + c;
        else
            result += c;
    }
    return result;
}

// A link whose text is the value as typed; its destination between angle
// brackets, with what cannot stand there percent-encoded.
QString link(const QString& value, const QString& destination)
{
    if (value.isEmpty())
        return {};
    // A line break in it is one LF, as it reads back.
    const QByteArray encoded = withLineFeeds(destination).toUtf8().toPercentEncoding("!#$&'()*+,/:;=?@[]~%");
    return u'[' + escaped(value) + QStringLiteral("](<") + QString::fromLatin1(encoded) + QStringLiteral(">)");
}

QString webDestination(const QString& web) { return web.contains(QLatin1String("://")) ? web : u"https://"_qs + web; }

// The date as ISO 8601; a date the record's form cannot read, as it stands.
QString isoDate(const QString& date, const GeneralDateFormat& format)
{
    const auto value = parseGeneralDate(date, format);
    return value ? value->date().toString(Qt::ISODate) : escaped(date);
}

QString item(const QString& label, const QString& value)
{
    return QStringLiteral("- **") + label + QStringLiteral(":**") + (value.isEmpty() ? QString() : u' ' + value) +
           u'\n';
}

QString heading(const QString& words, const QString& text)
{
    return QStringLiteral("## ") + words + QStringLiteral("\n\n") + text + u'\n';
}

}  // namespace

MarkdownHeadings MarkdownHeadings::fromTexts(const ProgramTexts& texts)
{
    MarkdownHeadings words{texts.text(TextId::MarkdownVersion), {}};
    for (const DocumentField& field : documentFields())
        words.fields.insert(QString::fromLatin1(field.name), texts.fieldText(FieldText::MarkdownWord, field.name));
    return words;
}

namespace {

// A list item's value as the document shows it: the e-mail address and the
// web page as links, the date as ISO 8601, any other as typed.
QString shownValue(const DocumentField& field, const QString& value, const GeneralDateFormat& format)
{
    if (field.kind == FieldKind::Date)
        return isoDate(value, format);
    if (field.value == &DocumentRecord::email)
        return link(value, u"mailto:"_qs + value);
    if (field.value == &DocumentRecord::web)
        return link(value, webDestination(value));
    return escaped(value);
}

}  // namespace

// The fields the title is made of.
bool inTitle(const DocumentField& field)
{
    return field.value == &DocumentRecord::product || field.value == &DocumentRecord::version ||
           field.value == &DocumentRecord::status;
}

bool isLinked(const DocumentField& field)
{
    return field.value == &DocumentRecord::email || field.value == &DocumentRecord::web;
}

QString composeMarkdown(const DocumentRecord& record, const MarkdownStyle& style)
{
    const MarkdownHeadings& words = style.headings;
    QString title = QStringLiteral("# ") + escaped(record.product) + u' ' + words.version;
    for (const QString& part : {record.version, record.status}) {
        if (!part.isEmpty())
            title += u' ' + escaped(part);
    }
    QString list, sections;
    for (const DocumentField& field : documentFields()) {
        const QString& value = record.*field.value;
        if (field.kind == FieldKind::Lines)
            sections += (sections.isEmpty() ? QString() : QStringLiteral("\n")) +
                        heading(words.of(field), withLineFeeds(value));
        else if (!inTitle(field))
            list += item(words.of(field), shownValue(field, value, style.dateFormat));
    }
    return title + QStringLiteral("\n\n") + list + u'\n' + sections;
}

QByteArray markdownBytes(const DocumentRecord& record, const MarkdownStyle& style)
{
    return composeMarkdown(record, style).toUtf8();
}
