#include "preview_window.h"

#include "document_fields.h"
#include "program_look.h"
#include "windows1252.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QTextCharFormat unwritableFormat()
{
    QTextCharFormat format;
    format.setBackground(QColor(0xff, 0xd5, 0x4f));
    format.setForeground(QColor(0x80, 0x00, 0x00));
    format.setFontWeight(QFont::Bold);
    return format;
}

QString withLineEnds(QString fixed) { return fixed.replace(QLatin1String("\r\n"), QLatin1String("\n")); }

}  // namespace

PreviewWindow::PreviewWindow(const ProgramTexts& texts)
    : texts_(texts), view_(new QPlainTextEdit(this)), size_(new QLabel(this))
{
    setObjectName(QStringLiteral("FrmVistaPrevia"));
    setWindowTitle(texts_.text(TextId::PreviewTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    view_->setObjectName(QStringLiteral("TxtVistaPrevia"));
    view_->setReadOnly(true);
    view_->setUndoRedoEnabled(false);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    size_->setObjectName(QStringLiteral("LblTamano"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addWidget(size_);
    resize(500, 620);
}

void PreviewWindow::showRecord(const DocumentRecord& record)
{
    const DocumentShape& shape = DocumentShape::get();
    view_->clear();
    start_.clear();
    length_.clear();
    QTextCursor cursor(view_->document());
    for (qsizetype i = 0; i < shape.before.size(); ++i) {
        const DocumentField& field = documentFields()[i];
        cursor.insertText(withLineEnds(shape.before[i]));
        start_.push_back(cursor.position());
        length_.push_back(insertValue(cursor, writtenValue(field, record.*field.value)));
    }
    cursor.insertText(withLineEnds(shape.closing));
    showSize();
}

// Writable runs go in as they are, each unwritable character as a marked
// '?'; returns how many characters went in.
int PreviewWindow::insertValue(QTextCursor& cursor, QStringView value)
{
    const int before = cursor.position();
    const QTextCharFormat plain;
    qsizetype run = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        char32_t point = value[i].unicode();
        const bool pair = value[i].isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate();
        if (pair)
            point = QChar::surrogateToUcs4(value[i], value[i + 1]);
        if (point == u'\n' || windows1252::canEncode(point))
            continue;
        cursor.insertText(value.sliced(run, i - run).toString(), plain);
        cursor.insertText(QStringLiteral("?"), unwritableFormat());
        i += pair ? 1 : 0;
        run = i + 1;
    }
    cursor.insertText(value.sliced(run).toString(), plain);
    cursor.setCharFormat(plain);  // what follows is not marked
    return cursor.position() - before;
}

void PreviewWindow::replaceField(int field, const QString& value) { replaceInField(field, 0, length_[field], value); }

void PreviewWindow::editField(int field, int position, int removed, const QString& added, int length)
{
    position = std::clamp(position, 0, length_[field]);
    // Qt may count the field's last line end in an edit's sizes; the new
    // length settles how much went.
    removed = std::clamp(length_[field] + int(added.size()) - length, 0, length_[field] - position);
    replaceInField(field, position, removed, added);
}

void PreviewWindow::replaceInField(int field, int position, int removed, QStringView text)
{
    QTextCursor cursor(view_->document());
    cursor.setPosition(start_[field] + position);
    cursor.setPosition(start_[field] + position + removed, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    const int change = insertValue(cursor, text) - removed;
    for (std::size_t later = field + 1; later < start_.size(); ++later)
        start_[later] += change;
    length_[field] += change;
    showSize();
}

QString PreviewWindow::text() const { return view_->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n'); }

// Each character is one byte and each line end two; the last line has none.
qint64 PreviewWindow::byteCount() const
{
    const QTextDocument* document = view_->document();
    return qint64(document->characterCount() - 1) + (document->blockCount() - 1);
}

void PreviewWindow::showSize() { size_->setText(texts_.filled(TextId::PreviewSize, QLocale().toString(byteCount()))); }

void PreviewWindow::placeBeside(const QWidget* window)
{
    const QRect screen = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    const int gap = frame.width() - window->width() + 4;
    const int height = std::min(window->height(), screen.height() - (frame.height() - window->height()));
    const int width = std::min(500, std::max(screen.right() - frame.right() - gap, frame.left() - screen.left() - gap));
    resize(std::max(width, 320), height);
    const bool right = screen.right() - frame.right() >= frame.left() - screen.left();
    const int x = right ? frame.right() + gap : frame.left() - gap - this->width();
    move(std::clamp(x, screen.left(), screen.right() - this->width()), frame.top());
}
