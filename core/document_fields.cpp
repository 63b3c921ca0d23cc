#include "document_fields.h"

#include "windows1252.h"

namespace document_fields {

const Layout& Layout::get()
{
    static const Layout layout = [] {
        const DocumentRecord markers{u"\x01"_qs, u"\x02"_qs, u"\x03"_qs, u"\x04"_qs, u"\x05"_qs,
                                     u"\x06"_qs, u"\x07"_qs, u"\x0e"_qs, u"\x0f"_qs, u"\x10"_qs};
        const QString text = windows1252::decode(documentBytes(composeDocument(markers)));
        auto between = [&](char16_t from, char16_t to) {
            const qsizetype start = text.indexOf(QChar(from)) + 1;
            return text.sliced(start, text.indexOf(QChar(to)) - start);
        };
        const char16_t fieldMarkers[kFields] = {0x03, 0x04, 0x05, 0x06, 0x07, 0x0E, 0x0F, 0x10};
        Layout result;
        result.versionMark = between(0x01, 0x02);
        for (int k = 0; k + 1 < kFields; ++k)
            result.separators[k] = between(fieldMarkers[k], fieldMarkers[k + 1]);
        result.end = text.sliced(text.indexOf(QChar(0x10)) + 1);
        return result;
    }();
    return layout;
}

namespace {

bool anyWithin(const QList<qsizetype>& places, Span s)
{
    const auto at = std::lower_bound(places.begin(), places.end(), s.start);
    return at != places.end() && *at < s.end;
}

}  // namespace

Text::Text(QStringView text) : text_(text)
{
    const Layout& layout = Layout::get();
    for (int k = 0; k + 1 < kFields; ++k)
        separators_[k] = occurrences(layout.separators[k]);
    ends_ = occurrences(layout.end);
    for (qsizetype at = text.indexOf(u'\n'); at >= 0; at = text.indexOf(u'\n', at + 1)) {
        if (at == 0 || text[at - 1] != u'\r')
            loneFeeds_.append(at);
    }
    for (qsizetype at = text.indexOf(u'\r'); at >= 0; at = text.indexOf(u'\r', at + 1)) {
        if (at + 1 == text.size() || text[at + 1] != u'\n')
            loneReturns_.append(at);
    }
}

QList<qsizetype> Text::occurrences(const QString& needle) const
{
    QList<qsizetype> found;
    for (qsizetype at = text_.indexOf(needle); at >= 0; at = text_.indexOf(needle, at + 1))
        found.append(at);
    return found;
}

bool Text::writableAsLine(Span s) const
{
    return s.start == s.end || (text_[s.start] != u'\n' && !anyWithin(loneFeeds_, s));
}

bool Text::writableAsLines(Span s) const
{
    return writableAsLine(s) && (s.start == s.end || text_[s.end - 1] != u'\r') && !anyWithin(loneReturns_, s);
}

bool Text::fieldWritable(int k, Span s) const
{
    if (k == 0)
        return writableAsLine(s) && firstLineOf(text_.sliced(s.start, s.end - s.start)).has_value();
    return k < 5 ? writableAsLine(s) : writableAsLines(s);
}

QString Text::field(Span s, bool lines) const
{
    QString value = text_.sliced(s.start, s.end - s.start).toString();
    if (lines)
        value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return value;
}

DocumentRecord Text::recordOf(const Fields& fields) const
{
    DocumentRecord record = *firstLineOf(text_.sliced(fields[0].start, fields[0].end - fields[0].start));
    record.author = field(fields[1], false);
    record.email = field(fields[2], false);
    record.web = field(fields[3], false);
    record.date = field(fields[4], false);
    record.description = field(fields[5], true);
    record.useLicence = field(fields[6], true);
    record.distributionLicence = field(fields[7], true);
    return record;
}

std::optional<DocumentRecord> firstLineOf(QStringView line)
{
    const QString& versionMark = Layout::get().versionMark;
    const qsizetype mark = line.indexOf(versionMark);
    if (mark < 0)
        return std::nullopt;
    DocumentRecord record;
    record.product = line.first(mark).toString();
    if (upperCaseKeepingLength(record.product) != record.product)
        return std::nullopt;
    const QStringView rest = line.sliced(mark + versionMark.size());
    for (const QString& status : {QStringLiteral("FINAL"), QStringLiteral("BETA"), QString()}) {
        if (rest.endsWith(QLatin1Char(' ') + status)) {
            record.status = status;
            record.version = rest.chopped(status.size() + 1).toString();
            return record;
        }
    }
    return std::nullopt;
}

}  // namespace document_fields
