#include "edition.h"

#include <QLocale>
#include <QTest>

namespace {

// A language file that names its language, or does not.
class NamedLanguage : public CaptionSource {
public:
    explicit NamedLanguage(QString language) : language_(std::move(language)) {}
    CaptionsRead captionsOf(const QString&) const override { return {}; }
    QString language() const override { return language_; }

private:
    QString language_;
};

}  // namespace

class TestEdition : public QObject {
    Q_OBJECT
private slots:
    void toolkitSpeaksTheProgramsLanguage()
    {
        const NamedLanguage english(QStringLiteral("en")), unnamed{QString()};
        QCOMPARE(Edition::release10().toolkitLanguage(), QStringLiteral("es"));
        QCOMPARE(Edition::release11(&english).toolkitLanguage(), QStringLiteral("en"));
        QCOMPARE(Edition::release11(&unnamed).toolkitLanguage(), QLocale::system().name());
        QCOMPARE(Edition::release11(nullptr).toolkitLanguage(), QLocale::system().name());
    }
};

QTEST_APPLESS_MAIN(TestEdition)
#include "test_edition.moc"
