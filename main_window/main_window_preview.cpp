// The main window's feeding of the document's preview (F5): it opens beside
// the form and follows every change of a field.
#include "main_window.h"

#include "document_fields.h"
#include "preview_window.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

// The preview opens beside the window with the document as it stands and
// then follows every change; F5 again closes it.
void MainWindow::togglePreview()
{
    if (preview_) {
        preview_->close();
        return;
    }
    preview_ = new PreviewWindow(texts_);
    preview_->showRecord(record());
    connect(this, &MainWindow::previewFieldChanged, preview_, &PreviewWindow::replaceField);
    connect(this, &MainWindow::previewFieldEdited, preview_, &PreviewWindow::editField);
    fieldsSentWhole_.clear();
    for (const FieldEditor& editor : fieldEditors_) {
        if (!writtenUnitForUnit(editor.read()))
            fieldsSentWhole_.insert(fieldIndexOf(editor.value));
    }
    makeRoomForPreview();
    preview_->placeBeside(this);
    preview_->show();
    activateWindow();  // the author goes on typing in the form
}

// On a small screen the window moves aside so that both fit.
void MainWindow::makeRoomForPreview()
{
    constexpr int kPreviewWidth = 420;
    const QRect screen = this->screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const int roomRight = screen.right() - frame.right(), roomLeft = frame.left() - screen.left();
    if (std::max(roomRight, roomLeft) < kPreviewWidth)
        move(pos() - QPoint(std::min(roomLeft, kPreviewWidth - roomRight), 0));
}

void MainWindow::onFieldChanged(QString DocumentRecord::*value)
{
    if (!preview_)
        return;
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
