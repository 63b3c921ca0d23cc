// The main window's feeding of the document's preview (F5): it opens beside
// the form and follows every change of a field.
#include "main_window.h"

#include "document_fields.h"
#include "preview_window.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <limits>

// The preview opens beside the window with the document as it stands and
// then follows every change; F5 again closes it. It is part of the window's
// session: it hides while the window is hidden and closes with it.
void MainWindow::togglePreview()
{
    if (preview_) {
        preview_->close();
        return;
    }
    preview_ = new PreviewWindow(texts_);
    showPreviewAnew();
    connect(this, &MainWindow::previewFieldChanged, preview_, &PreviewWindow::replaceField);
    connect(this, &MainWindow::previewFieldEdited, preview_, &PreviewWindow::editField);
    connect(preview_, &PreviewWindow::closed, this, &MainWindow::onPreviewClosed);
    fieldsSentWhole_.clear();
    for (const FieldEditor& editor : fieldEditors_) {
        bool unitForUnit = true;
        if (editor.pieces)
            editor.pieces(
                [&unitForUnit](QStringView piece) { unitForUnit = unitForUnit && writtenUnitForUnit(piece); });
        if (!unitForUnit)
            fieldsSentWhole_.insert(fieldIndexOf(editor.value));
    }
    makeRoomForPreview(preview_->fitRulesInto(std::numeric_limits<int>::max()));
    preview_->placeBeside(this);
    preview_->show();
    activateWindow();  // the author goes on typing in the form
}

// On a small screen the window moves aside so that both fit, as far as the
// screen allows; it goes back when the preview closes.
void MainWindow::makeRoomForPreview(int previewWidth)
{
    const QRect screen = this->screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const int roomRight = screen.right() - frame.right(), roomLeft = frame.left() - screen.left();
    if (std::max(roomRight, roomLeft) >= previewWidth)
        return;
    placeBeforePreview_ = pos();
    move(pos() - QPoint(std::min(roomLeft, previewWidth - roomRight), 0));
}

void MainWindow::onPreviewClosed()
{
    if (placeBeforePreview_) {
        move(*placeBeforePreview_);
        placeBeforePreview_.reset();
    }
    if (isLoaded() && isVisible()) {
        activateWindow();
        raise();
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    ProgramWindow::closeEvent(event);
    if (event->isAccepted() && preview_)
        preview_->close();
}

void MainWindow::hideEvent(QHideEvent* event)
{
    ProgramWindow::hideEvent(event);
    if (preview_)
        preview_->hide();
}

void MainWindow::showEvent(QShowEvent* event)
{
    ProgramWindow::showEvent(event);
    if (preview_)
        preview_->show();
}

void MainWindow::setDocumentKind(DocumentKind kind)
{
    if (kind == documentKind_)
        return;
    documentKind_ = kind;
    if (preview_)
        showPreviewAnew();
}

// The whole document anew, of the kind the form writes next. The classic
// one takes the multi-line boxes a line at a time, so that a large
// description is never copied whole to open the preview.
void MainWindow::showPreviewAnew()
{
    if (documentKind_ == DocumentKind::Markdown) {
        preview_->showMarkdown(composeMarkdown(record(), markdownStyle()));
        return;
    }
    DocumentRecord oneLine;
    for (const FieldEditor& editor : fieldEditors_) {
        if (!editor.pieces)
            oneLine.*editor.value = editor.read();
    }
    auto editorOf = [this](int field) -> const FieldEditor* {
        for (const FieldEditor& editor : fieldEditors_) {
            if (editor.pieces && fieldIndexOf(editor.value) == field)
                return &editor;
        }
        return nullptr;
    };
    preview_->showRecord(oneLine, {[editorOf](int field) {
        const FieldEditor* editor = editorOf(field);
        return editor ? editor->length() : qsizetype(0);
                                   },
                                   [editorOf](int field, const PreviewWindow::Sink& sink) {
        if (const FieldEditor* editor = editorOf(field))
            editor->pieces(sink);
    }});
}

void MainWindow::onFieldChanged(QString DocumentRecord::*value)
{
    if (!preview_)
        return;
    if (documentKind_ == DocumentKind::Markdown) {
        if (!markdownRefresh_) {
            markdownRefresh_ = new QTimer(this);
            markdownRefresh_->setSingleShot(true);
            markdownRefresh_->setInterval(50);
            connect(markdownRefresh_, &QTimer::timeout, this, [this] {
                if (preview_)
                    showPreviewAnew();
            });
        }
        markdownRefresh_->start();
        return;
    }
    const int field = fieldIndexOf(value);
    for (const FieldEditor& editor : fieldEditors_) {
        if (editor.value == value)
            emit previewFieldChanged(field, writtenValue(documentFields()[field], editor.read()));
    }
}

// Only the edited part goes to the preview, unless the box holds text that
// the document does not write unit for unit (a pair of surrogates is one
// '?', a letter and its combining accent one character).
void MainWindow::onBoxEdited(QString DocumentRecord::*value, const QPlainTextEdit* box, int position, int removed,
                             int added)
{
    if (!preview_)
        return;
    if (documentKind_ == DocumentKind::Markdown) {
        onFieldChanged(value);
        return;
    }
    const int field = fieldIndexOf(value);
    const int length = box->document()->characterCount() - 1;
    added = std::clamp(added, 0, length - std::min(position, length));
    QTextCursor cursor(box->document());
    cursor.setPosition(std::min(position, length));
    cursor.setPosition(std::min(position, length) + added, QTextCursor::KeepAnchor);
    const QString text = cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
    if (!writtenUnitForUnit(text))
        fieldsSentWhole_.insert(field);
    if (fieldsSentWhole_.count(field))
        onFieldChanged(value);
    else
        emit previewFieldEdited(field, position, removed, text, length);
}
