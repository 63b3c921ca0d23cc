#include "document_writer.h"
#include "main_window_driver.h"
#include "preview_window.h"
#include "windows1252.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace {

PreviewWindow* shownPreview()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* preview = qobject_cast<PreviewWindow*>(widget); preview && preview->isVisible())
            return preview;
    }
    return nullptr;
}

// The preview's text as Create writes it.
QByteArray previewBytes(const PreviewWindow* preview)
{
    QByteArray bytes;
    windows1252::appendWithCrLf(bytes, preview->text());
    return bytes;
}

QByteArray createBytes(const MainWindowDriver& ui) { return documentBytes(composeDocument(ui.window->record())); }

}  // namespace

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        if (PreviewWindow* preview = shownPreview())
            preview->close();
    }

    // The preview, encoded, is byte for byte what Create writes.
    void previewIsWhatCreateWrites_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("statusStated");
        QTest::addColumn<int>("marked");
        QTest::newRow("plain") << u"Demo"_qs << u"A tool."_qs << true << 0;
        QTest::newRow("upper-casing") << u"stra\u00DFe \u00E9t\u00E9"_qs << QString() << false << 0;
        QTest::newRow("unwritable") << u"\u4E2D \u01C6"_qs << u"smile \U0001F600 \u2192"_qs << true << 4;
        QTest::newRow("multi-line") << u"p"_qs << u"one\n\ntwo\nthree\n"_qs << false << 0;
        QTest::newRow("empty") << QString() << QString() << false << 0;
    }
    void previewIsWhatCreateWrites()
    {
        QFETCH(QString, product);
        QFETCH(QString, description);
        QFETCH(bool, statusStated);
        QFETCH(int, marked);
        MainWindowDriver ui(Edition::release10());
        ui.type("TxtProducto", product);
        ui.typeBox("TxtDesc", description);
        ui.typeBox("TxtUso", u"use\nlicence"_qs);
        ui.find<QCheckBox>("Chk1")->setChecked(statusStated);
        QVERIFY(activate(ui.window));
        QTest::keyClick(ui.window, Qt::Key_F5);
        PreviewWindow* preview = shownPreview();
        QVERIFY(preview);
        QCOMPARE(previewBytes(preview), createBytes(ui));
        QCOMPARE(preview->byteCount(), createBytes(ui).size());
        QCOMPARE(preview->markCount(), marked);
        QTest::keyClick(ui.window, Qt::Key_F5);
        QTRY_VERIFY(!shownPreview());
    }

    // Every kind of change reaches the preview at once: keys in a line box
    // and in a multi-line box, a pasted character beyond the Basic
    // Multilingual Plane, the status and the date.
    void previewFollowsEveryKeystroke()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        ui.typeBox("TxtDesc", u"first line\nsecond"_qs);
        QVERIFY(activate(ui.window));
        QTest::keyClick(ui.window, Qt::Key_F5);
        PreviewWindow* preview = shownPreview();
        QVERIFY(preview);
        auto* description = ui.box("TxtDesc");
        description->setFocus();
        description->moveCursor(QTextCursor::End);
        QTest::keyClicks(description, u" line"_qs);
        QTest::keyClick(description, Qt::Key_Return);
        QTest::keyClick(description, Qt::Key_Backspace);
        QTest::keyClick(description, Qt::Key_Backspace);
        QCOMPARE(previewBytes(preview), createBytes(ui));
        description->insertPlainText(u"\U0001F600!\n"_qs);
        QTest::keyClicks(description, u"after"_qs);
        QCOMPARE(previewBytes(preview), createBytes(ui));
        ui.line("TxtProducto")->insert(u"tr\u00FCmi"_qs);
        ui.find<QCheckBox>("Chk1")->setChecked(true);
        ui.find<QRadioButton>("OpVer2")->setChecked(true);
        ui.setDate(QDateTime(QDate(2004, 6, 5), QTime(14, 23, 11)));
        QCOMPARE(previewBytes(preview), createBytes(ui));
        QVERIFY(preview->text().contains(u"TR\u00DCMI Ver.  BETA"_qs));
        // The size line, as drawn and as a screen reader reads it, follows too.
        const auto* size = preview->findChild<QWidget*>(u"LblTamano"_qs);
        QCOMPARE(size->accessibleName().section(u' ', 0, 0), QLocale().toString(createBytes(ui).size()));
    }

    // The preview is part of the form's session: it hides while the form is
    // hidden and closes with it; its keys scroll it by a line or a
    // character, and Escape (or F5 again) closes it and gives the form the
    // keyboard back. Its size line says what a highlighted '?' is.
    void previewBelongsToTheForm()
    {
        auto ui = std::make_unique<MainWindowDriver>(Edition::release11(nullptr));
        ui->type("TxtProducto", QString(200, u'x') + u"\u2192"_qs);
        ui->typeBox("TxtDesc", u"line\n"_qs.repeated(100));
        QVERIFY(activate(ui->window));
        QTest::keyClick(ui->window, Qt::Key_F5);
        QPointer<PreviewWindow> preview = shownPreview();
        QVERIFY(preview);
        QVERIFY(preview->findChild<QLabel*>(u"LblLeyenda"_qs)->isVisible());
        QVERIFY(preview->findChild<QLabel*>(u"LblLeyenda"_qs)->text().contains(u"\u00AB?\u00BB resaltado"_qs));
        auto* view = preview->findChild<QAbstractScrollArea*>(u"TxtVistaPrevia"_qs);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(view->horizontalScrollBar()->value(), QFontMetrics(view->font()).horizontalAdvance(u'x'));
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->verticalScrollBar()->value(), 1);
        QTest::keyClick(view, Qt::Key_Home);
        QCOMPARE(view->verticalScrollBar()->value(), 0);
        ui->window->hide();
        QVERIFY(!preview->isVisible());
        ui->window->show();
        QVERIFY(preview->isVisible());
        QVERIFY(activate(preview));
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(!preview);
        QTRY_COMPARE(QApplication::activeWindow(), ui->window.data());
        QTest::keyClick(ui->window, Qt::Key_F5);
        preview = shownPreview();
        QVERIFY(preview);
        ui->window->close();
        QTRY_VERIFY(!preview);
    }

    // In the form: a wavy underline under each unwritable character of a
    // multi-line box, and a warning sign naming them in a one-line box.
    void formMarksWhatTheDocumentCannotHold()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        QPlainTextEdit* box = ui.box("TxtUso");
        const auto underlined = [box](int line) {
            QList<int> found;
            for (const QTextLayout::FormatRange& range : box->document()->findBlockByNumber(line).layout()->formats()) {
                if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                    found << range.start << range.length;
            }
            return found;
        };
        ui.typeBox("TxtUso", u"ok \u4E2D ok \U0001F600"_qs);
        QCOMPARE(underlined(0), (QList<int>{3, 1, 8, 2}));
        // The marks follow the text: a line that gets one, a line that loses
        // its last one, a text put in whole (as opening does).
        box->moveCursor(QTextCursor::End);
        QTest::keyClick(box, Qt::Key_Return);
        box->insertPlainText(u"x \u2192"_qs);
        QCOMPARE(underlined(1), (QList<int>{2, 1}));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(underlined(1), QList<int>{});
        QCOMPARE(underlined(0), (QList<int>{3, 1, 8, 2}));
        box->setPlainText(u"plain\n\u4E2D"_qs);
        QCOMPARE(underlined(0), QList<int>{});
        QCOMPARE(underlined(1), (QList<int>{0, 1}));
        auto* sign = ui.window->findChild<QAction*>(u"TxtEmailAviso"_qs);
        QVERIFY(sign && !sign->isVisible());
        ui.type("TxtEmail", u"a\u2192b\u2192c\u01C6"_qs);
        QVERIFY(sign->isVisible() && !sign->icon().isNull());
        QVERIFY(sign->toolTip().contains(u"\u00AB\u2192\u00BB, \u00AB\u01C6\u00BB: se escribir\u00E1n"_qs));
        ui.type("TxtEmail", u"a\u2192b"_qs);
        QCOMPARE(sign->toolTip(),
                 u"El documento no puede contener \u00AB\u2192\u00BB: se escribir\u00E1 como \u00AB?\u00BB."_qs);
        ui.type("TxtEmail", u"cafe\u0301"_qs);  // the letter and its accent are the one "é" it holds
        QVERIFY(!sign->isVisible());
        ui.type("TxtEmail", u"plain@example.org"_qs);
        QVERIFY(!sign->isVisible());
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
