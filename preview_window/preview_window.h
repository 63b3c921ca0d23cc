#pragma once

#include "program_texts.h"

#include <QWidget>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QTextCursor;
struct DocumentRecord;

// The document as Create would write it now, read-only: the document's
// entries with their line ends as lines, each character that Windows-1252
// cannot hold shown as the '?' it becomes and highlighted, and under it the
// size in bytes. It changes only what a change of one field touches, so that
// a keystroke in a large description stays cheap; it keeps nothing between
// runs and never changes the form.
class PreviewWindow : public QWidget {
    Q_OBJECT

public:
    explicit PreviewWindow(const ProgramTexts& texts);

    // The whole document anew.
    void showRecord(const DocumentRecord& record);
    // Field number field (in the document's order) now holds value, as the
    // document writes it (upper-cased where it is).
    void replaceField(int field, const QString& value);
    // An edit inside a field that holds no character beyond the Basic
    // Multilingual Plane: at position, removed characters gave way to added,
    // and the field is now length characters long (line breaks count one).
    void editField(int field, int position, int removed, const QString& added, int length);

    // The text shown, with LF line ends, and the bytes Create would write.
    QString text() const;
    qint64 byteCount() const;

    // Beside window (the main window), not over it, on window's screen.
    void placeBeside(const QWidget* window);

private:
    int insertValue(QTextCursor& cursor, QStringView value);
    void replaceInField(int field, int position, int removed, QStringView text);
    void showSize();

    // Where each field stands in the shown text, in the document's order.
    std::vector<int> start_;
    std::vector<int> length_;
    ProgramTexts texts_;
    QPlainTextEdit* view_;
    QLabel* size_;
};
