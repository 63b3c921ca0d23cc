#include "file_dialogs.h"

#include "toolkit_translation.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMimeDatabase>

namespace {

// Icons and types from the name alone: Qt's own provider reads a file to
// guess its type, and a file such as /proc/kmsg never ends.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override { return icon(info.isDir() ? Folder : File); }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QFileIconProvider::type(info);
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }
};

// The dates of the files in the program's language, as every other text of
// the dialog; Qt's own model shows them in the system's.
class ProgramLanguageDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        constexpr int kDateColumn = 3;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || index.column() != kDateColumn || !files)
            return QIdentityProxyModel::data(index, role);
        return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
    }
};

bool inVirtualFileSystem(const QString& folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    for (const QLatin1String root : {QLatin1String("/proc"), QLatin1String("/sys"), QLatin1String("/dev")}) {
        if (path == root || path.startsWith(root + QLatin1Char('/')))
            return true;
    }
    return false;
}

void setUpCommon(QFileDialog& dialog, const QString& folder, const QString& name)
{
    static NameOnlyIconProvider iconProvider;
    dialog.setIconProvider(&iconProvider);
    dialog.setProxyModel(new ProgramLanguageDates(&dialog));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDirectory(folder);
    if (!name.isEmpty())
        dialog.selectFile(name);
}

QString chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QtFileDialogs::QtFileDialogs(const Edition& edition, ProgramTexts texts) : edition_(edition), texts_(std::move(texts))
{
}

QString QtFileDialogs::textFilter() const { return texts_.text(TextId::TextFilesFilter) + QStringLiteral(" (*.txt)"); }

void QtFileDialogs::proposeForSave(const QString& folder, const QString& name)
{
    folder_ = folder;
    name_ = name;
}

QString QtFileDialogs::startFolder() const
{
    return folder_.isEmpty() || inVirtualFileSystem(folder_) ? edition_.saveDialogStartFolder() : folder_;
}

QString QtFileDialogs::showSave(QWidget* parent)
{
    loadToolkitTranslation();
    QFileDialog dialog(parent, texts_.text(TextId::SaveDialogTitle));
    dialog.setObjectName(QStringLiteral("Dialogo"));
    const bool proposalKept = startFolder() == folder_;
    setUpCommon(dialog, startFolder(), proposalKept ? name_ : QString());
    // One filter, shown by its label alone: "Fichero de texto *.txt".
    dialog.setNameFilter(textFilter());
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !edition_.saveDialogConfirmsReplace());
    QString chosen = chosenFile(dialog);
    if (!chosen.isEmpty())
        proposeForSave(QFileInfo(chosen).absolutePath(), QFileInfo(chosen).fileName());
    return chosen;
}

// Any file can be a document: a second filter shows every file, and a name
// without a dot is opened as it is.
QString QtFileDialogs::showOpen(QWidget* parent, const QString& title)
{
    loadToolkitTranslation();
    QFileDialog dialog(parent, title);
    dialog.setObjectName(QStringLiteral("DialogoAbrir"));
    const bool proposalKept = startFolder() == folder_;
    setUpCommon(dialog, startFolder(), proposalKept ? name_ : QString());
    dialog.setNameFilters({textFilter(), texts_.text(TextId::AllFilesFilter) + QStringLiteral(" (*)")});
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog);
}
