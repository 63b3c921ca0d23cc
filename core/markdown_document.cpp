#include "markdown_document.h"

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

// The inverse: a backslash before a punctuation character or a line end
// stands for that character.
QString unescaped(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool escape = text[i] == u'\\' && i + 1 < text.size() &&
                            (text[i + 1] == u'\n' || (text[i + 1].unicode() < 0x80 && text[i + 1].isPunct()) ||
                             (text[i + 1].unicode() < 0x80 && text[i + 1].isSymbol()));
        result += escape ? text[++i] : text[i];
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
    return {texts.text(TextId::MarkdownVersion),    texts.text(TextId::MarkdownAuthor),
            texts.text(TextId::MarkdownEmail),      texts.text(TextId::MarkdownWeb),
            texts.text(TextId::MarkdownDate),       texts.text(TextId::MarkdownDescription),
            texts.text(TextId::MarkdownUseLicence), texts.text(TextId::MarkdownDistributionLicence)};
}

QString composeMarkdown(const DocumentRecord& record, const MarkdownStyle& style)
{
    const MarkdownHeadings& words = style.headings;
    QString title = QStringLiteral("# ") + escaped(record.product) + u' ' + words.version;
    for (const QString& part : {record.version, record.status}) {
        if (!part.isEmpty())
            title += u' ' + escaped(part);
    }
    return title + QStringLiteral("\n\n") + item(words.author, escaped(record.author)) +
           item(words.email, link(record.email, u"mailto:"_qs + record.email)) +
           item(words.web, link(record.web, webDestination(record.web))) +
           item(words.date, isoDate(record.date, style.dateFormat)) + u'\n' +
           heading(words.description, withLineFeeds(record.description)) + u'\n' +
           heading(words.useLicence, withLineFeeds(record.useLicence)) + u'\n' +
           heading(words.distributionLicence, withLineFeeds(record.distributionLicence));
}

QByteArray markdownBytes(const DocumentRecord& record, const MarkdownStyle& style)
{
    return composeMarkdown(record, style).toUtf8();
}

namespace {

// Reads one document from its title line to the text's end, with one set of
// words; every part must be where the writer puts it.
class MarkdownReader {
public:
    MarkdownReader(QStringView text, const MarkdownHeadings& words, const GeneralDateFormat& format)
        : text_(text), words_(words), format_(format)
    {
    }

    std::optional<DocumentRecord> readFrom(qsizetype start)
    {
        at_ = start;
        DocumentRecord record;
        if (!readTitle(record) || !expect(u"\n") || !readItems(record) || !expect(u"\n"))
            return std::nullopt;
        const QString description = QStringLiteral("## ") + words_.description + QStringLiteral("\n\n");
        const QString use = QStringLiteral("\n\n## ") + words_.useLicence + QStringLiteral("\n\n");
        const QString distribution = QStringLiteral("\n\n## ") + words_.distributionLicence + QStringLiteral("\n\n");
        if (!expect(description) || !readUpTo(use, record.description) || !readUpTo(distribution, record.useLicence) ||
            !text_.endsWith(u'\n'))
            return std::nullopt;
        record.distributionLicence = text_.sliced(at_, text_.size() - 1 - at_).toString();
        return record;
    }

private:
    bool expect(QStringView fixed)
    {
        if (!text_.sliced(at_).startsWith(fixed))
            return false;
        at_ += fixed.size();
        return true;
    }

    // Whether the line end at that place is escaped: an odd number of
    // backslashes stands before it.
    bool escapedAt(qsizetype end) const
    {
        qsizetype backslashes = 0;
        while (end - backslashes > at_ && text_[end - backslashes - 1] == u'\\')
            ++backslashes;
        return backslashes % 2 == 1;
    }

    // The rest of the line, without its line end (a line ending in an
    // escaped line break goes on).
    QStringView line()
    {
        qsizetype end = at_;
        while ((end = text_.indexOf(u'\n', end)) > 0 && escapedAt(end))
            ++end;
        if (end < 0)
            return {};
        const QStringView found = text_.sliced(at_, end - at_);
        at_ = end + 1;
        return found;
    }

    bool readUpTo(const QString& next, QString& value)
    {
        const qsizetype end = text_.indexOf(next, at_);
        if (end < 0)
            return false;
        value = text_.sliced(at_, end - at_).toString();
        at_ = end + next.size();
        return true;
    }

    // "# PRODUCT Ver. VERSION STATUS": the product runs to the first word of
    // the version; the status, where there is one, is the last word.
    bool readTitle(DocumentRecord& record)
    {
        if (!expect(u"# "))
            return false;
        const QStringView title = line();
        const QString mark = u' ' + words_.version;
        const qsizetype word = title.indexOf(mark);
        if (word < 0 || (word + mark.size() < title.size() && title[word + mark.size()] != u' '))
            return false;
        record.product = unescaped(title.first(word));
        QStringView rest = title.sliced(std::min(word + mark.size() + 1, title.size()));
        for (const QString& status : {u"FINAL"_qs, u"BETA"_qs}) {
            if (rest == status || rest.endsWith(u' ' + status)) {
                record.status = status;
                rest.chop(std::min(rest.size(), status.size() + 1));
                break;
            }
        }
        record.version = unescaped(rest);
        return true;
    }

    bool readItems(DocumentRecord& record)
    {
        return readItem(words_.author, record.author, false) && readItem(words_.email, record.email, true) &&
               readItem(words_.web, record.web, true) && readDate(record);
    }

    // "- **LABEL:** VALUE", a link's text where the value is a link.
    bool readItem(const QString& label, QString& value, bool linked)
    {
        if (!expect(QStringLiteral("- **") + label + QStringLiteral(":**")))
            return false;
        QStringView shown = line();
        if (!shown.isEmpty() && !shown.startsWith(u' '))
            return false;
        shown = shown.sliced(std::min<qsizetype>(1, shown.size()));
        const qsizetype close = shown.lastIndexOf(u"](<");
        if (linked && shown.startsWith(u'[') && close > 0 && shown.endsWith(u">)"))
            shown = shown.sliced(1, close - 1);
        value = unescaped(shown);
        return true;
    }

    bool readDate(DocumentRecord& record)
    {
        QString shown;
        if (!readItem(words_.date, shown, false))
            return false;
        const QDate date = QDate::fromString(shown, Qt::ISODate);
        record.date = date.isValid() ? generalDateText(QDateTime(date, QTime(0, 0)), format_) : shown;
        return true;
    }

    QStringView text_;
    const MarkdownHeadings& words_;
    const GeneralDateFormat& format_;
    qsizetype at_ = 0;
};

}  // namespace

std::optional<MarkdownFound> findLastMarkdown(QString text, const QList<MarkdownHeadings>& known,
                                              const GeneralDateFormat& dateFormat)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    if (!text.endsWith(u'\n'))
        text += u'\n';
    // The last document runs to the text's end: the title lines are tried
    // from the last one back.
    for (qsizetype start = text.lastIndexOf(u"# "); start >= 0;
         start = start == 0 ? -1 : text.lastIndexOf(u"# ", start - 1)) {
        if (start > 0 && text[start - 1] != u'\n')
            continue;
        for (const MarkdownHeadings& words : known) {
            if (auto record = MarkdownReader(text, words, dateFormat).readFrom(start))
                return MarkdownFound{*record, start == 0};
        }
    }
    return std::nullopt;
}
