// The main window's opening of a read-me document: from the command line
// (see trumi_editor.cpp), by dropping a file on the window, or with ctrl+O.
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

// The first local file a drag carries, or nothing.
FilePath droppedFile(const QMimeData* data)
{
    for (const QUrl& url : data ? data->urls() : QList<QUrl>()) {
        if (url.isLocalFile())
            return FilePath(url.toLocalFile());
    }
    return {};
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
    const DocumentRead read = readDocument(path);
    if (read.error) {
        message_box::showError(this, *read.error);
        return;
    }
    showRecord(read.found->record, path);
    if (edition_.saveDialogProposesOpenedFile())
        fileDialogs_->proposeForSave(path.display());
}

void MainWindow::showRecord(const DocumentRecord& record, const FilePath& path)
{
    bool dateShown = true;
    for (const FieldEditor& editor : fieldEditors_) {
        // Of the document's texts only a date can be one the form cannot hold.
        if (!editor.show(record.*editor.value))
            dateShown = false;
    }
    // Error 13, "type mismatch", as for a text that is no date.
    if (!dateShown)
        message_box::showError(this, FileError::withText(13, QStringLiteral("La fecha \u00AB%1\u00BB no se puede leer con "
                                                                            "el formato de fecha del sistema; la fecha "
                                                                            "de creaci\u00F3n no cambia.")
                                                                 .arg(record.date),
                                                         path));
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
    if ((drag || event->type() == QEvent::Drop) && !droppedFile(static_cast<QDropEvent*>(event)->mimeData()).isEmpty()) {
        if (event->type() == QEvent::Drop)
            dropEvent(static_cast<QDropEvent*>(event));
        else
            static_cast<QDropEvent*>(event)->acceptProposedAction();
        return true;
    }
    return ProgramWindow::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const FilePath path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openDocument(path);
}
