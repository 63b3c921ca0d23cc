#include "controls.h"
#include "multi_line_box.h"
#include "test_windows.h"

#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QTextBlock>

Q_DECLARE_METATYPE(QTextOption::WrapMode)

namespace {

QImage pictureOf(QWidget* widget) { return widget->grab().toImage(); }

}  // namespace

class TestControls : public QObject {
    Q_OBJECT

private slots:
    // A caption's '&' marks an access key also on a label with no partner
    // control: the letter is underlined, the '&' not shown.
    void accessKeyOfALabelWithoutPartnerIsUnderlined()
    {
        QWidget window;
        QLabel* alone = addLabel(&window, u"alone"_qs, QRect(0, 0, 120, 20));
        QLabel* partnered = addLabel(&window, u"partnered"_qs, QRect(0, 30, 120, 20), &window);
        QLabel* plain = addLabel(&window, u"plain"_qs, QRect(0, 60, 120, 20));
        alone->setText(u"&Autor :"_qs);
        partnered->setText(u"&Autor :"_qs);
        plain->setText(u"Autor :"_qs);
        QCOMPARE(pictureOf(alone), pictureOf(partnered));
        QVERIFY(pictureOf(alone) != pictureOf(plain));
    }

    // A paragraph too long to wrap at words in reasonable time wraps
    // anywhere, and only while the box holds one; the text never changes.
    void longParagraphWrapsAnywhereAndKeepsItsText_data()
    {
        constexpr int longest = MultiLineBox::kLongestWordWrappedParagraph;
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTextOption::WrapMode>("wrap");
        QTest::newRow("words") << QStringLiteral("one two three\nfour") << QTextOption::WrapAtWordBoundaryOrAnywhere;
        QTest::newRow("longest word-wrapped line")
            << QString(longest, QLatin1Char('x')) << QTextOption::WrapAtWordBoundaryOrAnywhere;
        QTest::newRow("one character longer") << QString(longest + 1, QLatin1Char('x')) << QTextOption::WrapAnywhere;
        QTest::newRow("many short lines")
            << QStringLiteral("short line\n").repeated(10000) << QTextOption::WrapAtWordBoundaryOrAnywhere;
        QTest::newRow("a long line among short ones")
            << QStringLiteral("a\n") + QString(qsizetype(3) * longest, QLatin1Char('y')) + QStringLiteral("\nb")
            << QTextOption::WrapAnywhere;
    }
    void longParagraphWrapsAnywhereAndKeepsItsText()
    {
        QFETCH(QString, text);
        QFETCH(QTextOption::WrapMode, wrap);
        QWidget window;
        QPlainTextEdit* box = addMultiLineBox(&window, QStringLiteral("box"), QRect(0, 0, 300, 100));
        box->setFocus();
        auto* data = new QMimeData;
        data->setText(text);
        QApplication::clipboard()->setMimeData(data);
        box->paste();
        QCOMPARE(box->wordWrapMode(), wrap);
        QCOMPARE(plainTextOf(box), text);
        box->selectAll();  // and typing over it brings word wrapping back
        QTest::keyClicks(box, QStringLiteral("new text"));
        QCOMPARE(box->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

    void joiningLinesIntoALongOneWrapsAnywhere()
    {
        QWidget window;
        QPlainTextEdit* box = addMultiLineBox(&window, QStringLiteral("box"), QRect(0, 0, 300, 100));
        const QString half(MultiLineBox::kLongestWordWrappedParagraph / 2 + 1, QLatin1Char('z'));
        box->setPlainText(half + QLatin1Char('\n') + half);
        QCOMPARE(box->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
        QTextCursor cursor(box->document()->findBlockByNumber(1));
        cursor.deletePreviousChar();  // the line break between the halves
        QCOMPARE(box->wordWrapMode(), QTextOption::WrapAnywhere);
        QCOMPARE(plainTextOf(box), half + half);
    }
};

TRUMI_TEST_MAIN(TestControls)
#include "test_controls.moc"
