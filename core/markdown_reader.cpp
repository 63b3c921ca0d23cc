// Reading a Markdown document back: the inverse of composeMarkdown.
#include "markdown_document.h"

#include "markdown_fields.h"

#include <QUrl>

namespace {

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

// Reads one document from its title line to the text's end, with one set of
// words; every part must be where the writer puts it.
class MarkdownReader {
public:
    MarkdownReader(QStringView text, const MarkdownHeadings& words, const GeneralDateFormat& format)
        : text_(text), words_(words), format_(format)
    {
    }

    // Title, list and sections, each where the writer puts it; the last
    // section runs to the text's end.
    std::optional<DocumentRecord> readFrom(qsizetype start)
    {
        at_ = start;
        DocumentRecord record;
        if (!readTitle(record) || !expect(u"\n") || !readItems(record) || !expect(u"\n"))
            return std::nullopt;
        const DocumentField* previous = nullptr;
        for (const DocumentField& field : documentFields()) {
            if (field.kind != FieldKind::Lines)
                continue;
            const QString heading = QStringLiteral("## ") + words_.of(field) + QStringLiteral("\n\n");
            if (previous ? !readUpTo(u"\n\n"_qs + heading, record.*previous->value) : !expect(heading))
                return std::nullopt;
            previous = &field;
        }
        if (!previous || !text_.endsWith(u'\n'))
            return std::nullopt;
        record.*previous->value = text_.sliced(at_, text_.size() - 1 - at_).toString();
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
        // The word stands alone: a product may hold it followed by more ("Tool Ver.2").
        qsizetype word = title.indexOf(mark);
        while (word >= 0 && word + mark.size() < title.size() && title[word + mark.size()] != u' ')
            word = title.indexOf(mark, word + 1);
        if (word < 0)
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
        for (const DocumentField& field : documentFields()) {
            if (field.kind == FieldKind::Lines || inTitle(field))
                continue;
            QString& value = record.*field.value;
            if (!readItem(words_.of(field), value, isLinked(field)))
                return false;
            if (field.kind == FieldKind::Date)
                value = dateOf(value);
        }
        return true;
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

    // The record's date text of an ISO date; a date that is none, as it
    // stands, for the form to say it cannot read it.
    QString dateOf(const QString& shown) const
    {
        const QDate date = QDate::fromString(shown, Qt::ISODate);
        return date.isValid() ? generalDateText(QDateTime(date, QTime(0, 0)), format_) : shown;
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
