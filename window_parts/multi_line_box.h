#pragma once

#include <QPlainTextEdit>

// A multi-line text box: long lines wrap at its width (at word boundaries,
// or anywhere where a word is wider than the box), and it pastes only text
// that is really there.
class MultiLineBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit MultiLineBox(QWidget* parent = nullptr);

    // A paragraph longer than this wraps anywhere instead: to break it at
    // words, Qt looks for a word boundary as far as the paragraph's end for
    // every line it lays out, which takes time that grows with the square
    // of the paragraph's length (seconds for a pasted line of 250,000
    // characters).
    static constexpr int kLongestWordWrappedParagraph = 10000;

protected:
    // With nothing on the clipboard (nothing copied since login, or the
    // program that copied has ended) Qt's own paste crashes.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void followParagraphLengths(int position, int removed, int added);
    bool holdsLongParagraph() const;
    void setWrapsAnywhere(bool anywhere);

    bool wrapsAnywhere_ = false;
};
