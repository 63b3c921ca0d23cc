#pragma once

#include "preview_text.h"
#include "program_texts.h"

#include <QAbstractScrollArea>
#include <QWidget>
#include <functional>
#include <optional>

class MarkdownView;
class QLabel;
struct DocumentRecord;

// Draws the lines of a preview text that are in sight, each unwritable
// character highlighted, in a fixed-width font, without wrapping. The keys
// scroll it: the arrows by a line or a character, PgUp and PgDn by a page,
// Home and End to the start and the end; a frame shows when it has the
// focus.
class PreviewView : public QAbstractScrollArea {
public:
    PreviewView(const PreviewText& text, QWidget* parent);
    // The text changed: new scroll ranges, and the lines in sight drawn
    // again (those the change touched, where it says which).
    void refresh(std::optional<PreviewText::Change> change = std::nullopt);
    // The width that shows a line of that many characters whole.
    int widthFor(int characters) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int advance() const;

    const PreviewText& text_;
    int columns_ = 0;  // the width the horizontal scroll bar is set for, in characters
};

// The line under the preview that gives the document's size. It changes at
// every keystroke, so it draws its text and nothing more: a QLabel asks its
// window's layout again at each new text and costs a keystroke about as much
// as the edit itself.
class SizeLine : public QWidget {
public:
    explicit SizeLine(QWidget* parent);
    void setText(const QString& text);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

// The document as Create would write it now, read-only: the document's
// entries with their line ends as lines, each character that Windows-1252
// cannot hold shown as the '?' it becomes and highlighted, and under it the
// size in bytes. It changes only what a change of one field touches, so that
// a keystroke in a large description stays cheap, and it holds the text as
// the document does, a byte a character; it keeps nothing between runs and
// never changes the form.
class PreviewWindow : public QWidget {
    Q_OBJECT

public:
    explicit PreviewWindow(const ProgramTexts& texts);

    // The whole document anew. Where pieces are given, each field of lines
    // is taken from them a piece at a time (calls of the sink), not from the
    // record; size tells about how long the field is, so that its bytes are
    // made room for once.
    using Sink = std::function<void(QStringView)>;
    struct FieldPieces {
        std::function<qsizetype(int field)> size;
        std::function<void(int field, const Sink& sink)> each;
    };
    void showRecord(const DocumentRecord& record, const FieldPieces& pieces = {});
    // The Markdown document instead (release 1.1's second kind), rendered,
    // or its source a keystroke away (ctrl+U); showRecord goes back to the
    // classic document.
    void showMarkdown(const QString& markdown);
    bool showsMarkdown() const;
    // Field number field (in the document's order) now holds value, as the
    // document writes it (upper-cased where it is).
    void replaceField(int field, const QString& value);
    // An edit inside a field that holds no character beyond the Basic
    // Multilingual Plane: at position, removed characters gave way to added,
    // and the field is now length characters long (line breaks count one).
    void editField(int field, int position, int removed, const QString& added, int length);

    // The text shown, with LF line ends; the bytes Create would write; how
    // many characters are highlighted.
    QString text() const { return text_.text(); }
    qint64 byteCount() const { return text_.byteCount(); }
    int markCount() const { return text_.markCount(); }

    // The width that shows the document's rules whole, at a font size no
    // smaller than can be read (8 points): the preview's font is made
    // smaller, down to that size, where the screen beside the main window
    // has less room than the system's fixed-width font asks for.
    int fitRulesInto(int room);

    // Beside window (the main window), not over it, on window's screen.
    void placeBeside(const QWidget* window);

signals:
    // The preview has closed: the form takes the focus back.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void changed(std::optional<PreviewText::Change> change = std::nullopt);

    // Fixed texts and fields alternate: field i is segment 2 i + 1.
    static int segmentOf(int field) { return 2 * field + 1; }

    void showSize();

    ProgramTexts texts_;
    PreviewText text_;
    PreviewView* view_;
    MarkdownView* markdown_;
    SizeLine* size_;
    QLabel* legend_;
};
