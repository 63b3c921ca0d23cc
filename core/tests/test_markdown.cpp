// The Markdown document: it renders on a repository's page as it should (a
// title, the links, three headings, the description's own Markdown, the
// one-line fields as typed), and it reads back as it was written.
#include "markdown_document.h"
#include "test_files.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const GeneralDateFormat kFormat{"%d/%m/%Y", "%H:%M:%S"};

MarkdownStyle style() { return {MarkdownHeadings::fromTexts({}), kFormat}; }

DocumentRecord plain()
{
    return {.product = u"Trumi Editor"_qs,
            .version = u"1.1"_qs,
            .status = u"FINAL"_qs,
            .author = u"Equipo Trumi"_qs,
            .email = u"trumi@example.org"_qs,
            .web = u"https://example.org/trumi"_qs,
            .date = u"09/12/2026"_qs,
            .description = u"A tool for *authors*.\n\n- writes read-mes\n- reads them back"_qs,
            .useLicence = u"Free to use."_qs,
            .distributionLicence = u"Copy unchanged.\nKeep this notice."_qs};
}

// The HTML that GitHub's renderer makes of the text.
QString rendered(const QByteArray& markdown)
{
    QProcess cmark;
    cmark.start(u"cmark-gfm"_qs, {u"-e"_qs, u"autolink"_qs, u"-e"_qs, u"strikethrough"_qs, u"-e"_qs, u"table"_qs});
    if (!cmark.waitForStarted())
        return {};
    cmark.write(markdown);
    cmark.closeWriteChannel();
    cmark.waitForFinished();
    return QString::fromUtf8(cmark.readAllStandardOutput());
}

int count(const QString& html, const QString& pattern) { return int(html.count(QRegularExpression(pattern))); }

}  // namespace

Q_DECLARE_METATYPE(DocumentRecord)

class TestMarkdown : public QObject {
    Q_OBJECT
private slots:
    void rendersAsARepositoryPageShowsIt_data()
    {
        QTest::addColumn<DocumentRecord>("record");
        QTest::addColumn<QString>("title");        // the h1's text, as HTML has it
        QTest::addColumn<QStringList>("literal");  // shown as typed, as HTML has it
        QTest::addColumn<int>("links");
        DocumentRecord r = plain();
        QTest::newRow("plain") << r << u"Trumi Editor Ver. 1.1 FINAL"_qs << QStringList{u"Equipo Trumi"_qs} << 2;
        r.product = u"*star* _under_ #hash <b> [link](x) & `code` ~del~"_qs;
        r.author = u"O'Brien <ob@x> **not bold**"_qs;
        r.version = u"1.0#"_qs;
        QTest::newRow("markup in every one-line field")
            << r << u"*star* _under_ #hash &lt;b&gt; [link](x) &amp; `code` ~del~ Ver. 1.0# FINAL"_qs
            << QStringList{u"O'Brien &lt;ob@x&gt; **not bold**"_qs} << 2;
        r = plain();
        r.email = u"a b<c>@x"_qs;
        r.web = u"example.org/a b"_qs;
        QTest::newRow("links that need encoding")
            << r << u"Trumi Editor Ver. 1.1 FINAL"_qs << QStringList{u"a b&lt;c&gt;@x"_qs, u"example.org/a b"_qs} << 2;
        r = DocumentRecord{};
        r.date = u"01/01/1601"_qs;
        QTest::newRow("empty fields") << r << u"Ver."_qs << QStringList{u"1601-01-01"_qs} << 0;
        r = plain();
        r.useLicence = u"Line one\nLine two\n\nA paragraph"_qs;
        r.status.clear();
        QTest::newRow("multi-line licence, no status")
            << r << u"Trumi Editor Ver. 1.1"_qs << QStringList{u"Line one\nLine two"_qs} << 2;
    }
    void rendersAsARepositoryPageShowsIt()
    {
        QFETCH(DocumentRecord, record);
        QFETCH(QString, title);
        QFETCH(QStringList, literal);
        QFETCH(int, links);
        const QString html = rendered(markdownBytes(record, style()));
        QVERIFY2(!html.isEmpty(), "cmark-gfm is needed (scripts/setup installs it)");
        QCOMPARE(count(html, u"<h1>"_qs), 1);
        QVERIFY2(html.contains(u"<h1>"_qs + title + u"</h1>"_qs), qPrintable(html));
        QCOMPARE(count(html, u"<h2>"_qs), 3);
        QCOMPARE(count(html, u"<a href=\"mailto:"_qs) + count(html, u"<a href=\"https://"_qs), links);
        for (const QString& text : literal)
            QVERIFY2(html.contains(text), qPrintable(html));
        // The list's labels only: one for each field neither in the title nor a
        // text of lines.
        const auto listed = std::count_if(documentFields().begin(), documentFields().end(), [](const DocumentField& f) {
            return f.kind != FieldKind::Lines && f.value != &DocumentRecord::product &&
                   f.value != &DocumentRecord::version && f.value != &DocumentRecord::status;
        });
        QCOMPARE(count(html, u"<strong>"_qs), int(listed));
        if (record.description.contains(u"*authors*"_qs))
            QVERIFY(html.contains(u"<em>authors</em>"_qs) && html.contains(u"<li>writes read-mes</li>"_qs));
    }

    // What was written reads back and writes again byte for byte, also as an
    // editor may have saved it; a file of several documents opens as its
    // last.
    void readsBackByteForByte_data()
    {
        QTest::addColumn<DocumentRecord>("record");
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<QString>("saved");  // how the file was saved: "", "crlf", "bom"
        DocumentRecord r = plain();
        QTest::newRow("plain") << r << QByteArray() << QString();
        QTest::newRow("with CR LF") << r << QByteArray() << u"crlf"_qs;
        QTest::newRow("with a byte-order mark") << r << QByteArray() << u"bom"_qs;
        QTest::newRow("after another document") << r << markdownBytes(DocumentRecord{}, style()) << QString();
        r.product = u"A Ver. B \\ ends in a backslash\\"_qs;
        r.version = u"1.0 BETA"_qs;
        r.status.clear();
        r.author = u"line\nbreak"_qs;
        r.email = u"](<odd>)"_qs;
        QTest::newRow("awkward one-line fields") << r << QByteArray() << QString();
        r = plain();
        r.product = u"Tool Ver.2 and Ver.3"_qs;
        QTest::newRow("a product holding the version's word with more after it") << r << QByteArray() << QString();
        r = DocumentRecord{};
        QTest::newRow("all empty") << r << QByteArray() << QString();
        r = plain();
        r.description = u"Quotes\n\n## LICENCIA DE USO\n\nof another document"_qs;
        r.distributionLicence = u"\u4E2D\u6587 \U0001F600 \u2192"_qs;
        QTest::newRow("a description quoting a heading; any character") << r << QByteArray() << QString();
    }
    void readsBackByteForByte()
    {
        QFETCH(DocumentRecord, record);
        QFETCH(QByteArray, prefix);
        QFETCH(QString, saved);
        const QByteArray written = markdownBytes(record, style());
        QByteArray file = prefix + written;
        if (saved == u"crlf"_qs)
            file.replace("\n", "\r\n");
        if (saved == u"bom"_qs)
            file.prepend("\xEF\xBB\xBF");
        const auto found = findLastMarkdown(QString::fromUtf8(file).remove(u'\uFEFF'), {style().headings}, kFormat);
        QVERIFY(found);
        QCOMPARE(markdownBytes(found->record, style()), written);
        QCOMPARE(found->sole, prefix.isEmpty());
    }

    // Written in one shipped language, read in another.
    void readsTheWordsOfEveryLanguageGiven()
    {
        MarkdownHeadings english = MarkdownHeadings::fromTexts({});
        english.version = u"Version"_qs;
        english.fields = {{u"author"_qs, u"Author"_qs},
                          {u"email"_qs, u"E-mail"_qs},
                          {u"web"_qs, u"Web page"_qs},
                          {u"date"_qs, u"Date"_qs},
                          {u"description"_qs, u"Description"_qs},
                          {u"use-licence"_qs, u"Licence of use"_qs},
                          {u"distribution-licence"_qs, u"Licence of distribution"_qs}};
        const QByteArray written = markdownBytes(plain(), {english, kFormat});
        QVERIFY(!findLastMarkdown(QString::fromUtf8(written), {style().headings}, kFormat));
        const auto found = findLastMarkdown(QString::fromUtf8(written), {style().headings, english}, kFormat);
        QVERIFY(found);
        QCOMPARE(found->record, plain());
    }
};

QTEST_APPLESS_MAIN(TestMarkdown)
#include "test_markdown.moc"
