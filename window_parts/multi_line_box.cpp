#include "multi_line_box.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

namespace {

qsizetype longestLine(QStringView text)
{
    qsizetype longest = 0;
    for (const QStringView line : text.tokenize(u'\n'))
        longest = std::max(longest, line.size());
    return longest;
}

}  // namespace

MultiLineBox::MultiLineBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    connect(document(), &QTextDocument::contentsChange, this, &MultiLineBox::followParagraphLengths);
}

bool MultiLineBox::canInsertFromMimeData(const QMimeData* source) const { return source && source->hasText(); }

void MultiLineBox::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const QString text = source->text();
    // Switched before the text goes in, so that it is laid out only once.
    if (longestLine(text) > kLongestWordWrappedParagraph)
        setWrapsAnywhere(true);
    insertPlainText(text);
}

// Only the paragraphs an edit touched can have grown; all of them are looked
// at again only when a long one may have gone.
void MultiLineBox::followParagraphLengths(int position, int, int added)
{
    const QTextBlock last = document()->findBlock(position + added);
    for (QTextBlock block = document()->findBlock(position); block.isValid(); block = block.next()) {
        if (block.length() - 1 > kLongestWordWrappedParagraph) {
            setWrapsAnywhere(true);
            return;
        }
        if (block == last)
            break;
    }
    if (wrapsAnywhere_)
        setWrapsAnywhere(holdsLongParagraph());
}

bool MultiLineBox::holdsLongParagraph() const
{
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.length() - 1 > kLongestWordWrappedParagraph)
            return true;
    }
    return false;
}

void MultiLineBox::setWrapsAnywhere(bool anywhere)
{
    if (anywhere == wrapsAnywhere_)
        return;
    wrapsAnywhere_ = anywhere;
    setWordWrapMode(anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
}
