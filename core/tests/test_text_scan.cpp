// The reader's searches answer as a plain search does, whatever the order of
// the places asked from: forwards, backwards, or both in turn.
#include "text_scan.h"

#include <QRandomGenerator>
#include <QTest>

#include <string>

namespace {

// Texts of few different units, so that needles occur, overlap and almost
// occur everywhere; with lone and paired line ends.
std::string randomText(QRandomGenerator& random, qsizetype size)
{
    static const char units[] = {'a', 'b', '\r', '\n', '\r', '\n', 'a', 'a'};
    std::string text;
    for (qsizetype i = 0; i < size; ++i)
        text += units[random.bounded(int(sizeof units))];
    return text;
}

std::u16string widened(const std::string& text) { return {text.begin(), text.end()}; }

template <typename View, typename Text>
bool searchesAgree(const Text& text, const Text& needle, QRandomGenerator& random)
{
    const NextPlace<View> place(View(text.data(), qsizetype(text.size())),
                                View(needle.data(), qsizetype(needle.size())));
    const qsizetype size = qsizetype(text.size()), floor = random.bounded(int(size / 2 + 1));
    for (int i = 0; i < 200; ++i) {
        const qsizetype from = random.bounded(int(size + 1));
        const auto first = text.find(needle, size_t(from));
        if (place.firstFrom(from) != (first == Text::npos ? -1 : qsizetype(first)))
            return false;
        // The last place at or after floor and before from.
        const auto last = from > 0 ? text.rfind(needle, size_t(from - 1)) : Text::npos;
        const qsizetype expected = last == Text::npos || qsizetype(last) < floor ? -1 : qsizetype(last);
        if (place.lastBefore(from, floor) != expected)
            return false;
    }
    return true;
}

// A span holds as a line where it does not start with an LF and no LF
// stands in it without the CR before it; as lines where, besides, no CR
// stands in it without the LF after it.
bool holds(const std::string& text, Span s, bool lines)
{
    if (s.start < s.end && text[size_t(s.start)] == '\n')
        return false;
    for (qsizetype i = s.start; i < s.end; ++i) {
        const bool loneFeed = text[size_t(i)] == '\n' && (i == 0 || text[size_t(i - 1)] != '\r');
        const bool loneReturn =
            text[size_t(i)] == '\r' && (size_t(i + 1) == text.size() || text[size_t(i + 1)] != '\n');
        if (loneFeed || (lines && (loneReturn || (i + 1 == s.end && text[size_t(i)] == '\r'))))
            return false;
    }
    return true;
}

template <typename View, typename Text>
bool lineEndsAgree(const Text& units, const std::string& text, QRandomGenerator& random)
{
    const LineEnds<View> ends(View(units.data(), qsizetype(units.size())));
    for (int i = 0; i < 300; ++i) {
        // A short span, holding a line end or two at most, and a long one.
        const qsizetype start = random.bounded(int(text.size() + 1)), rest = qsizetype(text.size()) - start;
        for (const qsizetype length :
             {random.bounded(int(std::min<qsizetype>(rest, 3) + 1)), random.bounded(int(rest + 1))}) {
            const Span s{start, start + length};
            if (ends.holdAsLine(s) != holds(text, s, false) || ends.holdAsLines(s) != holds(text, s, true))
                return false;
        }
    }
    return true;
}

}  // namespace

class TestTextScan : public QObject {
    Q_OBJECT

private slots:
    void searchesAnswerAsAPlainSearch_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("needleSize");
        for (const int size : {0, 1, 40, 3000, 20000})
            for (const int needleSize : {1, 2, 5})
                QTest::addRow("%d units, needle of %d", size, needleSize) << size << needleSize;
    }
    void searchesAnswerAsAPlainSearch()
    {
        QFETCH(int, size);
        QFETCH(int, needleSize);
        QRandomGenerator random(quint32(size * 7 + needleSize));
        for (int round = 0; round < 20; ++round) {
            const std::string text = randomText(random, size), needle = randomText(random, needleSize);
            QVERIFY(searchesAgree<QByteArrayView>(text, needle, random));
            QVERIFY(searchesAgree<QStringView>(widened(text), widened(needle), random));
            QVERIFY(lineEndsAgree<QByteArrayView>(text, text, random));
            QVERIFY(lineEndsAgree<QStringView>(widened(text), text, random));
        }
    }
};

QTEST_APPLESS_MAIN(TestTextScan)
#include "test_text_scan.moc"
