#include "document.h"

#include "windows1252.h"

namespace {

const QString kLongRule(65, QLatin1Char('-'));
const QString kShortRule(44, QLatin1Char('-'));
const QString kLineBreak = QStringLiteral("\r\n");

char32_t upperOf(char32_t letter)
{
    const char32_t upper = QChar::toUpper(letter);
    const bool bothFit = windows1252::canEncode(letter) && !windows1252::canEncode(upper);
    const bool sameWidth = QChar::requiresSurrogates(letter) == QChar::requiresSurrogates(upper);
    return bothFit || !sameWidth ? letter : upper;
}

}  // namespace

QString statusFor(CheckState statusBox, bool finalSelected)
{
    if (statusBox != CheckState::Ticked)
        return {};
    return finalSelected ? QStringLiteral("FINAL") : QStringLiteral("BETA");
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

QStringList composeDocument(const DocumentRecord& r)
{
    return {
        upperCaseKeepingLength(r.product) + QStringLiteral(" Ver. ") + r.version + QLatin1Char(' ') + r.status,
        kLongRule,
        kLineBreak,
        QStringLiteral("Autor: ") + r.author,
        QStringLiteral("E-Mail: ") + r.email,
        QStringLiteral("Página Web: ") + r.web,
        QStringLiteral("Fecha: ") + r.date,
        kLongRule,
        kLineBreak,
        QStringLiteral("DESCRIPCIÓN"),
        kShortRule,
        kLineBreak,
        r.description,
        kLongRule,
        kLineBreak,
        QStringLiteral("LICENCIA DE USO"),
        kShortRule,
        r.useLicence,
        kLineBreak,
        QStringLiteral("LICENCIA DE DISTRIBUCIÓN"),
        kShortRule,
        r.distributionLicence,
        kLongRule,
    };
}

namespace {
constexpr qsizetype kUnitsPerPiece = 512 * 1024;
}

DocumentPieces::DocumentPieces(QStringList entries)
    : entries_(std::move(entries)), buffer_(2 * kUnitsPerPiece + 8, Qt::Uninitialized)
{
}

QByteArrayView DocumentPieces::next()
{
    char* const start = buffer_.data();
    char* out = start;
    while (entry_ < entries_.size() && out - start < kUnitsPerPiece) {
        const QStringView entry = entries_.at(entry_);
        qsizetype units = std::min(kUnitsPerPiece - (out - start), entry.size() - position_);
        if (units > 0 && entry[position_ + units - 1].isHighSurrogate() && position_ + units < entry.size())
            ++units;  // a pair stays in one piece
        const char16_t previous = position_ > 0 ? entry[position_ - 1].unicode() : 0;
        out = windows1252::encodeWithCrLf(out, entry.sliced(position_, units), previous);
        position_ += units;
        if (position_ == entry.size()) {
            *out++ = '\r';
            *out++ = '\n';
            ++entry_;
            position_ = 0;
        }
    }
    return QByteArrayView(start, out - start);
}

qint64 DocumentPieces::size() const
{
    qint64 total = 0;
    for (const QString& entry : entries_)
        total += windows1252::encodedSizeWithCrLf(entry) + 2;
    return total;
}

QByteArray documentBytes(const QStringList& entries)
{
    QByteArray bytes;
    DocumentPieces pieces(entries);
    for (QByteArrayView piece = pieces.next(); !piece.isEmpty(); piece = pieces.next())
        bytes.append(piece);
    return bytes;
}
