#include "preview_text.h"

#include <QTest>

namespace {

// The lines as they are drawn, joined again, with each mark as '#'.
QString drawnText(const PreviewText& text)
{
    QStringList lines;
    for (int number = 0; number < text.lineCount(); ++number) {
        PreviewText::Line line = text.line(number);
        for (int mark : line.marks)
            line.text[mark] = u'#';
        lines << line.text;
    }
    return lines.join(u'\n');
}

}  // namespace

class TestPreviewText : public QObject {
    Q_OBJECT
private slots:
    // Edits of one segment, as the form sends them; the lines drawn, the
    // marks, the byte count and the longest line follow.
    void editsKeepLinesAndMarks_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<int>("longest");
        // Segments: "Title: ", "a\u2192b\nc", "\nEnd\n".
        QTest::newRow("nothing") << 0 << 0 << QString() << u"Title: a#b\nc\nEnd\n"_qs << 10;
        QTest::newRow("typed at the end") << 5 << 0 << u"de"_qs << u"Title: a#b\ncde\nEnd\n"_qs << 10;
        QTest::newRow("line break inside") << 1 << 0 << u"\n"_qs << u"Title: a\n#b\nc\nEnd\n"_qs << 10;
        QTest::newRow("mark removed") << 1 << 1 << QString() << u"Title: ab\nc\nEnd\n"_qs << 10;
        QTest::newRow("lines joined") << 3 << 1 << u" \u4E2D\U0001F600 "_qs << u"Title: a#b ## c\nEnd\n"_qs << 15;
        QTest::newRow("long line pasted") << 5 << 0 << u"\nx\n"_qs + QString(300, u'y') + u"\nz"_qs
                                          << u"Title: a#b\nc\nx\n"_qs + QString(300, u'y') + u"\nz\nEnd\n"_qs << 300;
    }
    void editsKeepLinesAndMarks()
    {
        QFETCH(int, position);
        QFETCH(int, removed);
        QFETCH(QString, added);
        QFETCH(QString, drawn);
        QFETCH(int, longest);
        PreviewText text;
        text.setSegments({u"Title: "_qs, u"a\u2192b\nc"_qs, u"\nEnd\n"_qs});
        text.replace(1, position, removed, added);
        QCOMPARE(drawnText(text), drawn);
        QCOMPARE(text.markCount(), int(drawn.count(u'#')));
        QCOMPARE(text.byteCount(), drawn.size() + drawn.count(u'\n'));
        QCOMPARE(text.longestLine(), longest);
    }
};

QTEST_APPLESS_MAIN(TestPreviewText)
#include "test_preview_text.moc"
