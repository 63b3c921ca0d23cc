#include "toolkit_translation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

// Loads the chosen language's translation before the first context menu
// opens, then leaves.
class PendingTranslation : public QObject {
public:
    explicit PendingTranslation(const QString& language) : QObject(QCoreApplication::instance()), language_(language)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    void load()
    {
        installToolkitTranslation(language_);
        deleteLater();
        QCoreApplication::instance()->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ContextMenu)
            load();
        return QObject::eventFilter(watched, event);
    }

private:
    QString language_;
};

QPointer<PendingTranslation>& pending()
{
    static QPointer<PendingTranslation> translation;
    return translation;
}

// Where Qt's translations are: the system's on Linux; on Windows, those the
// program brings beside its executable.
QString translationsFolder()
{
#if defined(Q_OS_WIN)
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

}  // namespace

bool installToolkitTranslation(const QString& language)
{
    static QPointer<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"), translationsFolder())) {
        delete translator;
        return false;
    }
    // Qt's English "translation" holds nothing, and installing it changes
    // nothing; it still counts as found.
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

void useToolkitLanguage(const QString& language)
{
    delete pending();
    pending() = new PendingTranslation(language);
}

void loadToolkitTranslation()
{
    if (pending())
        pending()->load();
}
