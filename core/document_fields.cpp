#include "document_fields.h"

#include "windows1252.h"

#include <algorithm>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

const DocumentField kFields[] = {
    {&DocumentRecord::product, "product", FieldKind::Line, true},
    {&DocumentRecord::version, "product-version", FieldKind::Line, false},
    {&DocumentRecord::status, "status", FieldKind::Status, false},
    {&DocumentRecord::author, "author", FieldKind::Line, false},
    {&DocumentRecord::email, "email", FieldKind::Line, false},
    {&DocumentRecord::web, "web", FieldKind::Line, false},
    {&DocumentRecord::date, "date", FieldKind::Date, false},
    {&DocumentRecord::description, "description", FieldKind::Lines, false},
    {&DocumentRecord::useLicence, "use-licence", FieldKind::Lines, false},
    {&DocumentRecord::distributionLicence, "distribution-licence", FieldKind::Lines, false},
};

// The document entry by entry; a field stands in an entry as its name in
// braces.
QStringList makeTemplate()
{
    const QString longRule(65, QLatin1Char('-'));
    const QString shortRule(44, QLatin1Char('-'));
    const QString lineBreak = QStringLiteral("\r\n");  // an entry of its own: two empty lines
    return {
        QStringLiteral("{product} Ver. {product-version} {status}"),
        longRule,
        lineBreak,
        QStringLiteral("Autor: {author}"),
        QStringLiteral("E-Mail: {email}"),
        QStringLiteral("Página Web: {web}"),
        QStringLiteral("Fecha: {date}"),
        longRule,
        lineBreak,
        QStringLiteral("DESCRIPCIÓN"),
        shortRule,
        lineBreak,
        QStringLiteral("{description}"),
        longRule,
        lineBreak,
        QStringLiteral("LICENCIA DE USO"),
        shortRule,
        QStringLiteral("{use-licence}"),
        lineBreak,
        QStringLiteral("LICENCIA DE DISTRIBUCIÓN"),
        shortRule,
        QStringLiteral("{distribution-licence}"),
        longRule,
    };
}

char32_t upperOf(char32_t letter)
{
    const char32_t upper = QChar::toUpper(letter);
    const bool bothFit = windows1252::canEncode(letter) && !windows1252::canEncode(upper);
    const bool sameWidth = QChar::requiresSurrogates(letter) == QChar::requiresSurrogates(upper);
    return bothFit || !sameWidth ? letter : upper;
}

const DocumentField* fieldNamed(QStringView name)
{
    for (const DocumentField& field : kFields) {
        if (name == QLatin1String(field.name))
            return &field;
    }
    qFatal("The document's template names a field that the field table lacks");
}

// Each field's place is its name in braces; the template has no other braces.
QList<EntryPart> partsOf(const QString& entry)
{
    QList<EntryPart> parts;
    qsizetype from = 0;
    for (qsizetype open = entry.indexOf(u'{'); open >= 0; open = entry.indexOf(u'{', from)) {
        const qsizetype close = entry.indexOf(u'}', open);
        if (open > from)
            parts.append({entry.sliced(from, open - from)});
        parts.append({QString(), fieldNamed(QStringView(entry).sliced(open + 1, close - open - 1))});
        from = close + 1;
    }
    if (from < entry.size() || parts.isEmpty())
        parts.append({entry.sliced(from)});
    return parts;
}

}  // namespace

std::span<const DocumentField> documentFields() { return kFields; }

int fieldIndexOf(QString DocumentRecord::*value)
{
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        if (kFields[i].value == value)
            return int(i);
    }
    qFatal("A member of the record that the field table lacks");
}

const DocumentField& fieldOf(QString DocumentRecord::*value) { return kFields[fieldIndexOf(value)]; }

const QList<QList<EntryPart>>& documentEntries()
{
    static const QList<QList<EntryPart>> entries = [] {
        QList<QList<EntryPart>> result;
        for (const QString& entry : makeTemplate())
            result.append(partsOf(entry));
        return result;
    }();
    return entries;
}

const QStringList& statusChoices()
{
    static const QStringList choices = {QStringLiteral("FINAL"), QStringLiteral("BETA"), QString()};
    return choices;
}

const DocumentShape& DocumentShape::get()
{
    // The fields stand in the document in the table's order.
    static const DocumentShape shape = [] {
        DocumentShape result;
        QString fixed;
        for (const QList<EntryPart>& entry : documentEntries()) {
            for (const EntryPart& part : entry) {
                if (part.field) {
                    Q_ASSERT(part.field == &kFields[result.before.size()]);
                    result.before.append(std::exchange(fixed, QString()));
                } else {
                    fixed += part.fixed;
                }
            }
            fixed += QStringLiteral("\r\n");
        }
        result.closing = fixed;
        return result;
    }();
    return shape;
}

namespace {

// A lone CR is a line break, as a lone LF is, so that every line end is
// written CR LF and reads back as it was typed.
QString withLoneReturnsAsBreaks(QString text)
{
    for (qsizetype at = text.indexOf(u'\r'); at >= 0; at = text.indexOf(u'\r', at + 1)) {
        if (at + 1 == text.size() || text[at + 1] != u'\n')
            text[at] = u'\n';
    }
    return text;
}

// Whether composing and the lone CRs leave the text as it is: every unit
// below U+0300 (all those characters are composed already) and every CR
// before an LF. Most long texts are, and this one pass over them spares the
// two that composing and looking for CRs make.
bool writtenAsItStands(QStringView text)
{
    const char16_t* const units = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i lastComposed = _mm_set1_epi16(0x2FF);
    const __m128i carriageReturn = _mm_set1_epi16(0x000D), lineFeed = _mm_set1_epi16(0x000A);
    for (; i + 8 < size; i += 8) {
        const __m128i now = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
        const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i + 1));
        const __m128i above = _mm_subs_epu16(now, lastComposed);  // zero up to U+02FF
        const __m128i loneReturns =
            _mm_andnot_si128(_mm_cmpeq_epi16(after, lineFeed), _mm_cmpeq_epi16(now, carriageReturn));
        const __m128i stands = _mm_andnot_si128(loneReturns, _mm_cmpeq_epi16(above, _mm_setzero_si128()));
        if (_mm_movemask_epi8(stands) != 0xFFFF)
            return false;
    }
#endif
    for (; i < size; ++i) {
        if (units[i] >= 0x300 || (units[i] == u'\r' && (i + 1 == size || units[i + 1] != u'\n')))
            return false;
    }
    return true;
}

}  // namespace

QString writtenValue(const DocumentField& field, const QString& value)
{
    if (!field.upperCased && writtenAsItStands(value))
        return value;
    // Composed (NFC), so that an accent typed or pasted as a letter and a
    // combining mark ("e" and U+0301, as macOS keeps it) is the one character
    // Windows-1252 has for it.
    QString text = withLoneReturnsAsBreaks(value.normalized(QString::NormalizationForm_C));
    return field.upperCased ? upperCaseKeepingLength(text) : text;
}

bool writtenUnitForUnit(QStringView text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        if (c.unicode() < 0x300)
            return c == u'\r';
        const bool hangulJamo = c.unicode() >= 0x1160 && c.unicode() <= 0x11FF;  // they compose with what precedes
        return c.isSurrogate() || c.combiningClass() != 0 || c.decompositionTag() == QChar::Canonical || hangulJamo;
    });
}

QString upperCaseKeepingLength(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const char32_t letter : text.toUcs4()) {
        const char32_t upper = upperOf(letter);
        if (QChar::requiresSurrogates(upper)) {
            result.append(QChar(QChar::highSurrogate(upper)));
            result.append(QChar(QChar::lowSurrogate(upper)));
        } else {
            result.append(QChar(static_cast<char16_t>(upper)));
        }
    }
    return result;
}

bool isUpperCaseKeepingLength(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t letter = text[i].unicode();
        if (QChar::isHighSurrogate(letter) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            letter = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        }
        if (upperOf(letter) != letter)
            return false;
    }
    return true;
}
