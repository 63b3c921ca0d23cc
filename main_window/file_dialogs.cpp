#include "file_dialogs.h"

#include "toolkit_translation.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMimeDatabase>
#include <QStyle>
#include <QTimer>
#include <QTreeView>

namespace {

// Icons and types from the name alone: Qt's own provider reads a file to
// guess its type, and a file such as /proc/kmsg never ends. A folder's type
// is the program's word for it.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    explicit NameOnlyIconProvider(QString folderType) : folderType_(std::move(folderType)) {}
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override { return icon(info.isDir() ? Folder : File); }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return folderType_;
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QString folderType_;
};

enum Column { kName, kSize, kType, kDate };

// The files' sizes and dates in the program's language, as every other text
// of the dialog; Qt's own model shows them in the system's.
class ProgramLanguageColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != kSize && index.column() != kDate))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == kDate)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        return files->isDir(source) ? QString() : QLocale().formattedDataSize(files->size(source));
    }
};

// The columns of the detailed view as wide as their headers and a typical
// row (a file of some kilobytes, a text document, a date late in the year),
// and the dialog wide enough for them beside the name.
void fitColumns(QFileDialog& dialog, const QString& folderType)
{
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view || !view->model())
        return;
    const QFontMetrics metrics(view->font());
    const QLocale locale;
    const QString typical[] = {
        {},
        locale.formattedDataSize(qint64(999) * 1024 + 999),
        std::max(QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment(), folderType,
                 [&](const QString& a,
                     const QString& b) { return metrics.horizontalAdvance(a) < metrics.horizontalAdvance(b); }),
        locale.toString(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)), QLocale::ShortFormat)};
    const int padding = view->style()->pixelMetric(QStyle::PM_HeaderMargin) * 2 + metrics.horizontalAdvance(u'M') * 2;
    int columns = 0;
    for (const int column : {kSize, kType, kDate}) {
        const QString header = view->model()->headerData(column, Qt::Horizontal).toString();
        const int width =
            std::max(metrics.horizontalAdvance(header), metrics.horizontalAdvance(typical[column])) + padding;
        view->header()->resizeSection(column, width);
        columns += width;
    }
    const int nameWidth = metrics.horizontalAdvance(u'M') * 20;
    const int wanted = dialog.width() - view->viewport()->width() + nameWidth + columns;
    if (dialog.width() < wanted)
        dialog.resize(wanted, dialog.height());
    view->header()->resizeSection(kName, std::max(nameWidth, view->viewport()->width() - columns));
}

bool inVirtualFileSystem(const QString& folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    for (const QLatin1String root : {QLatin1String("/proc"), QLatin1String("/sys"), QLatin1String("/dev")}) {
        if (path == root || path.startsWith(root + QLatin1Char('/')))
            return true;
    }
    return false;
}

void setUpCommon(QFileDialog& dialog, const QString& folder, const QString& name, const ProgramTexts& texts,
                 QAbstractFileIconProvider* iconProvider)
{
    dialog.setIconProvider(iconProvider);
    dialog.setProxyModel(new ProgramLanguageColumns(&dialog));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDirectory(folder);
    if (!name.isEmpty())
        dialog.selectFile(name);
    // Fitted once the dialog is laid out, as it is shown.
    QTimer::singleShot(0, &dialog,
                       [&dialog, folderType = texts.text(TextId::FolderType)] { fitColumns(dialog, folderType); });
}

QString chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QtFileDialogs::QtFileDialogs(const Edition& edition, ProgramTexts texts)
    : edition_(edition),
      texts_(std::move(texts)),
      iconProvider_(std::make_unique<NameOnlyIconProvider>(texts_.text(TextId::FolderType)))
{
}

QtFileDialogs::~QtFileDialogs() = default;

QString QtFileDialogs::textFilter() const { return texts_.text(TextId::TextFilesFilter) + QStringLiteral(" (*.txt)"); }

QString QtFileDialogs::markdownFilter() const
{
    return texts_.text(TextId::MarkdownFilter) + QStringLiteral(" (*.md)");
}

void QtFileDialogs::proposeForSave(const QString& folder, const QString& name)
{
    folder_ = folder;
    name_ = name;
}

QString QtFileDialogs::startFolder() const
{
    return folder_.isEmpty() || inVirtualFileSystem(folder_) ? edition_.saveDialogStartFolder() : folder_;
}

SaveTarget QtFileDialogs::showSave(QWidget* parent)
{
    loadToolkitTranslation();
    QFileDialog dialog(parent, texts_.text(TextId::SaveDialogTitle));
    dialog.setObjectName(QStringLiteral("Dialogo"));
    const bool proposalKept = startFolder() == folder_;
    const QString name = proposalKept ? name_ : QString();
    setUpCommon(dialog, startFolder(), name, texts_, iconProvider_.get());
    // Each filter shown by its label alone: "Fichero de texto *.txt".
    const bool markdown = edition_.writesMarkdown();
    dialog.setNameFilters(markdown ? QStringList{textFilter(), markdownFilter()} : QStringList{textFilter()});
    const bool proposedMarkdown = markdown && kindOfName(name) == DocumentKind::Markdown;
    if (proposedMarkdown)
        dialog.selectNameFilter(markdownFilter());
    dialog.setDefaultSuffix(proposedMarkdown ? QStringLiteral("md") : QStringLiteral("txt"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [this, &dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == markdownFilter() ? QStringLiteral("md") : QStringLiteral("txt"));
    });
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !edition_.saveDialogConfirmsReplace());
    const QString chosen = chosenFile(dialog);
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    const bool asMarkdown =
        suffix == u"md"_qs || (suffix != u"txt"_qs && dialog.selectedNameFilter() == markdownFilter());
    return {chosen, markdown && asMarkdown ? DocumentKind::Markdown : DocumentKind::Text};
}

// Any file can be a document: a second filter shows every file, and a name
// without a dot is opened as it is.
QString QtFileDialogs::showOpen(QWidget* parent, const QString& title)
{
    loadToolkitTranslation();
    QFileDialog dialog(parent, title);
    dialog.setObjectName(QStringLiteral("DialogoAbrir"));
    const bool proposalKept = startFolder() == folder_;
    setUpCommon(dialog, startFolder(), proposalKept ? name_ : QString(), texts_, iconProvider_.get());
    dialog.setNameFilters({textFilter(), texts_.text(TextId::AllFilesFilter) + QStringLiteral(" (*)")});
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog);
}
