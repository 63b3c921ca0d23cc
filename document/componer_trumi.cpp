#include "document/componer_trumi.h"

#include "common/windows1252.h"

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

QString estadoFor(CheckState chk1, bool opVer1Selected)
{
    if (chk1 != CheckState::Ticked)
        return {};
    return opVer1Selected ? QStringLiteral("FINAL") : QStringLiteral("BETA");
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

QStringList ComponerTrumi(const DatosTrumi& d)
{
    return {
        upperCaseKeepingLength(d.Producto) + QStringLiteral(" Ver. ") + d.Version + QLatin1Char(' ') + d.Estado,
        kLongRule,
        kLineBreak,
        QStringLiteral("Autor: ") + d.NomApe,
        QStringLiteral("E-Mail: ") + d.Email,
        QStringLiteral("Página Web: ") + d.Web,
        QStringLiteral("Fecha: ") + d.Fecha,
        kLongRule,
        kLineBreak,
        QStringLiteral("DESCRIPCIÓN"),
        kShortRule,
        kLineBreak,
        d.Desc,
        kLongRule,
        kLineBreak,
        QStringLiteral("LICENCIA DE USO"),
        kShortRule,
        d.Uso,
        kLineBreak,
        QStringLiteral("LICENCIA DE DISTRIBUCIÓN"),
        kShortRule,
        d.Distribucion,
        kLongRule,
    };
}

QByteArray documentBytes(const QStringList& entries)
{
    // Room for every byte at once, each LF counted as CR LF, so that a large
    // description is never copied to a bigger buffer half-way.
    qsizetype size = 0;
    for (const QString& entry : entries)
        size += entry.size() + entry.count(QLatin1Char('\n')) + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (const QString& entry : entries) {
        windows1252::appendWithCrLf(bytes, entry);
        bytes.append("\r\n", 2);
    }
    return bytes;
}
