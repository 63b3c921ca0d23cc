#include "edition.h"

#include <QLocale>
#include <QTest>

namespace {

// A language file that names its language, or does not.
class NamedLanguage : public CaptionSource {
public:
    explicit NamedLanguage(QString language) : language_(std::move(language)) {}
    CaptionsRead captionsOf(const QString&) const override { return {}; }
    ProgramTexts texts() const override { return {}; }
    QString language() const override { return language_; }

private:
    QString language_;
};

}  // namespace

class TestEdition : public QObject {
    Q_OBJECT
private slots:
    // An empty string expects the system's language.
    void toolkitSpeaksTheProgramsLanguage_data()
    {
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("expected");
        QTest::newRow("English") << u"en"_qs << u"en"_qs;
        QTest::newRow("Spanish") << u"es"_qs << u"es"_qs;
        QTest::newRow("with a country") << u"pt_BR"_qs << u"pt_BR"_qs;
        QTest::newRow("with a hyphen") << u"pt-BR"_qs << u"pt-BR"_qs;
        QTest::newRow("a separator alone") << u"en_"_qs << QString();
        QTest::newRow("letters outside ASCII") << u"\u00e9s"_qs << QString();
        QTest::newRow("none") << QString() << QString();
        QTest::newRow("unknown code") << u"xx"_qs << QString();
        QTest::newRow("a path") << u"../../etc"_qs << QString();
        QTest::newRow("400 characters") << u"en"_qs + QString(398, u'x') << QString();
        QTest::newRow("the C locale") << u"C"_qs << QString();
    }
    void toolkitSpeaksTheProgramsLanguage()
    {
        QFETCH(QString, named);
        QFETCH(QString, expected);
        const NamedLanguage source(named);
        QCOMPARE(Edition::release11(&source).toolkitLanguage(),
                 expected.isEmpty() ? QLocale::system().name() : expected);
        QCOMPARE(Edition::release10().toolkitLanguage(), u"es"_qs);
    }
};

QTEST_APPLESS_MAIN(TestEdition)
#include "test_edition.moc"
