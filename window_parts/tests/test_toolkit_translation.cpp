#include "test_windows.h"
#include "toolkit_translation.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

// Qt's own texts speak the program's language where Qt has a translation,
// and stay English where it has none.
class TestToolkitTranslation : public QObject {
    Q_OBJECT
private slots:
    void toolkitTextsFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("ok");
        QTest::addColumn<QString>("lookIn");
        QTest::newRow("Spanish") << "es" << true << "Aceptar"
                                 << "Ver en:";
        QTest::newRow("a language Qt lacks") << "tlh" << false << "OK"
                                             << "Look in:";
        QTest::newRow("English") << "en" << true << "OK"
                                 << "Look in:";
    }
    void toolkitTextsFollowTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(bool, found);
        QFETCH(QString, ok);
        QFETCH(QString, lookIn);
        QCOMPARE(installToolkitTranslation(language), found);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), ok);
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), lookIn);
    }

    // Put off until a context menu opens or a dialog is about to be built.
    void toolkitTextsAreLoadedWhenFirstNeeded_data()
    {
        QTest::addColumn<bool>("byContextMenu");
        QTest::newRow("a context menu") << true;
        QTest::newRow("a dialog") << false;
    }
    void toolkitTextsAreLoadedWhenFirstNeeded()
    {
        QFETCH(bool, byContextMenu);
        installToolkitTranslation(u"en"_qs);
        useToolkitLanguage(u"es"_qs);
        QCoreApplication::processEvents();
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), u"&Undo"_qs);
        QLineEdit box;
        box.show();
        if (byContextMenu) {
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(1, 1), box.mapToGlobal(QPoint(1, 1)));
            QApplication::sendEvent(&box, &menu);
        } else {
            loadToolkitTranslation();
        }
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), u"&Deshacer"_qs);
        if (byContextMenu) {
            auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(shown && shown->actions().first()->text().startsWith(u"&Deshacer"_qs));
            shown->close();
        }
    }
};

TRUMI_TEST_MAIN(TestToolkitTranslation)
#include "test_toolkit_translation.moc"
