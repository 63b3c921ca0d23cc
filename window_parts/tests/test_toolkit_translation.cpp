#include "test_windows.h"
#include "toolkit_translation.h"

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
};

TRUMI_TEST_MAIN(TestToolkitTranslation)
#include "test_toolkit_translation.moc"
