// Which characters of a text the code page cannot hold, as the document
// writes the text: composed (NFC), a character and its combining marks at a
// time.
#include "windows1252.h"

namespace windows1252 {

namespace {

// The code point at i and how many units it takes (a lone surrogate is one).
char32_t pointAt(QStringView text, qsizetype i, qsizetype& units)
{
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    units = pair ? 2 : 1;
    return pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
}

// Where the cluster that starts at i ends: its first character and the
// combining marks that follow it.
qsizetype clusterEnd(QStringView text, qsizetype i)
{
    qsizetype units = 0;
    pointAt(text, i, units);
    for (i += units; i < text.size(); i += units) {
        if (text[i].unicode() < 0x300 || QChar::combiningClass(pointAt(text, i, units)) == 0)
            break;
    }
    return i;
}

bool allEncodable(QStringView text)
{
    for (qsizetype i = 0, units = 0; i < text.size(); i += units) {
        if (!canEncode(pointAt(text, i, units)))
            return false;
    }
    return true;
}

// A cluster the document writes composed (NFC): where that changes it, the
// whole cluster is one mark; otherwise each character that cannot be held.
bool reportCluster(QStringView cluster, qsizetype start, const std::function<bool(qsizetype, qsizetype)>& found)
{
    qsizetype units = 0;
    const char32_t first = pointAt(cluster, 0, units);
    if (units == cluster.size() && QChar::decompositionTag(first) != QChar::Canonical)
        return canEncode(first) || found(start, units);  // one character that composing leaves as it is
    const QString composed = cluster.toString().normalized(QString::NormalizationForm_C);
    if (allEncodable(composed))
        return true;
    if (composed != cluster)
        return found(start, cluster.size());
    for (qsizetype i = 0, units = 0; i < cluster.size(); i += units) {
        if (!canEncode(pointAt(cluster, i, units)) && !found(start + i, units))
            return false;
    }
    return true;
}

}  // namespace

void forEachUnwritable(QStringView text, const std::function<bool(qsizetype, qsizetype)>& found)
{
    for (qsizetype i = 0; i < text.size();) {
        // Most text is characters the code page holds with no mark after them.
        const bool markFollows = i + 1 < text.size() && text[i + 1].unicode() >= 0x300;
        if (!markFollows && (text[i].unicode() < 0x80 || (!text[i].isSurrogate() && canEncode(text[i].unicode())))) {
            ++i;
            continue;
        }
        const qsizetype end = clusterEnd(text, i);
        if (!reportCluster(text.sliced(i, end - i), i, found))
            return;
        i = end;
    }
}

qsizetype unwritableCount(QStringView text)
{
    // Counted in the text as the document writes it, composed: each such
    // character there is one '?'.
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    qsizetype count = 0;
    forEachUnwritable(composed, [&count](qsizetype, qsizetype) { return ++count > 0; });
    return count;
}

QStringList unwritableCharacters(QStringView text)
{
    constexpr int kMost = 10;
    QStringList found;
    forEachUnwritable(text, [&](qsizetype position, qsizetype length) {
        const QString character = text.sliced(position, length).toString();
        if (!found.contains(character))
            found.append(character);
        return found.size() < kMost;
    });
    return found;
}

}  // namespace windows1252
