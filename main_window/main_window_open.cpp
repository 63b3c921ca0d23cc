// The main window's opening of a read-me document: from the command line
// (see app/program_start.cpp), by dropping a file on the window, or with ctrl+O.
#include "main_window.h"

#include "document_reader.h"
#include "file_dialogs.h"
#include "message_box.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <cerrno>

namespace {

// The first local file a drag carries, or nothing. On Linux its name is the
// URL's percent-decoded bytes, whatever they hold (toLocalFile would make
// text of them, and a byte that is not UTF-8 a different character).
FilePath droppedFile(const QMimeData* data)
{
    for (const QUrl& url : data ? data->urls() : QList<QUrl>()) {
        if (!url.isLocalFile())
            continue;
#if defined(Q_OS_WIN)
        return FilePath(url.toLocalFile());
#else
        return FilePath::fromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
#endif
    }
    return {};
}

// A drop is taken as a copy whatever the source proposes: a source that
// honours a move would delete the user's file. A source that offers no copy
// is refused.
bool acceptAsCopy(QDropEvent* event)
{
    if (!(event->possibleActions() & Qt::CopyAction))
        return false;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

}  // namespace

void MainWindow::onOpenShortcut()
{
    const QString path = fileDialogs_->showOpen(this, openDialogTitle_);
    if (!path.isEmpty())
        openDocument(path);
}

void MainWindow::openDocument(const FilePath& path)
{
    const DocumentRead read = readDocument(path, {edition_.markdownHeadings(), dateFormat_});
    if (read.error) {
        message_box::showError(this, texts_, *read.error);
        return;
    }
    showRecord(read.found->record);
    setDocumentKind(read.found->kind);
    if (edition_.saveDialogProposesOpenedFile())
        proposeOpenedFile(path.absolute(), read.found->sole);
}

// Create proposes the opened file only where replacing it loses nothing (it
// holds this one document and nothing else) and the toolkit's dialog can
// hold its name; otherwise it starts in the file's folder, with no name.
void MainWindow::proposeOpenedFile(const FilePath& path, bool sole)
{
    const FilePath folder = path.folder();
    if (!QByteArrayView(folder.native()).isValidUtf8())
        return;
    const QByteArray name = path.nameNative();
    const bool nameFits = QByteArrayView(name).isValidUtf8();
    // A name that is valid UTF-8 (always, on Windows) shows as itself.
    fileDialogs_->proposeForSave(folder.display(), sole && nameFits ? QString::fromUtf8(name) : QString());
}

void MainWindow::showRecord(const DocumentRecord& record)
{
    bool dateShown = true;
    for (const FieldEditor& editor : fieldEditors_) {
        // Of the document's texts only a date can be one the form cannot hold.
        if (!editor.show(record.*editor.value))
            dateShown = false;
    }
    if (!dateShown)
        reportUnreadDate(record.date);
}

// The file was read; only its date was not, and the picker keeps its own,
// named as the picker shows it.
void MainWindow::reportUnreadDate(const QString& date)
{
    message_box::showNotice(this, texts_.filled(TextId::DateNotRead, date) + QStringLiteral("\n\n") +
                                      texts_.filled(TextId::DateKept, datePicker_->text()));
}

// FINAL and BETA tick the status box and choose their option; no status
// clears the box and leaves the options as they were.
void MainWindow::setStatus(const QString& status)
{
    statusCheck_->setCheckState(status.isEmpty() ? Qt::Unchecked : Qt::Checked);
    if (status == QLatin1String("FINAL"))
        finalOption_->setChecked(true);
    else if (status == QLatin1String("BETA"))
        betaOption_->setChecked(true);
}

// A file dropped anywhere on the window opens, also on a text box, which
// would otherwise take the file's name as text.
void MainWindow::acceptFileDrops()
{
    setAcceptDrops(true);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool drag = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove;
    if ((drag || event->type() == QEvent::Drop) &&
        !droppedFile(static_cast<QDropEvent*>(event)->mimeData()).isEmpty()) {
        if (event->type() == QEvent::Drop)
            dropEvent(static_cast<QDropEvent*>(event));
        else
            acceptAsCopy(static_cast<QDropEvent*>(event));
        return true;
    }
    return ProgramWindow::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        acceptAsCopy(event);
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const FilePath path = droppedFile(event->mimeData());
    if (!path.isEmpty() && acceptAsCopy(event))
        openDocument(path);
}
