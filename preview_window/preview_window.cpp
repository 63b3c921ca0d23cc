#include "preview_window.h"

#include "document_fields.h"
#include "markdown_view.h"
#include "program_look.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kMargin = 4;

QString withLineEnds(QString fixed) { return fixed.replace(QLatin1String("\r\n"), QLatin1String("\n")); }

}  // namespace

PreviewView::PreviewView(const PreviewText& text, QWidget* parent) : QAbstractScrollArea(parent), text_(text)
{
    setFont(fixedWidthFont());
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);  // the keys scroll it
}

int PreviewView::advance() const { return std::max(1, QFontMetrics(font()).horizontalAdvance(u'x')); }

int PreviewView::widthFor(int characters) const
{
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return characters * advance() + 2 * kMargin + scrollBar + 2 * frameWidth();
}

void PreviewView::keyPressEvent(QKeyEvent* event)
{
    const bool home = event->key() == Qt::Key_Home, end = event->key() == Qt::Key_End;
    if (!home && !end) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    verticalScrollBar()->setValue(home ? verticalScrollBar()->minimum() : verticalScrollBar()->maximum());
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
    event->accept();
}

void PreviewView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void PreviewView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void PreviewView::refresh(std::optional<PreviewText::Change> change)
{
    const QFontMetrics metrics(font());
    const int lines = viewport()->height() / metrics.lineSpacing();
    const int top = verticalScrollBar()->value();
    verticalScrollBar()->setRange(0, std::max(0, text_.lineCount() - lines));
    verticalScrollBar()->setPageStep(std::max(1, lines));
    // The width grows in steps, so that typing on the longest line does not
    // change the scroll bar (and repaint it) at every key; a whole new text
    // sets it anew.
    if (!change || text_.longestLine() > columns_) {
        columns_ = change ? text_.longestLine() + text_.longestLine() / 4 + 64 : text_.longestLine();
        const int width = columns_ * advance() + 2 * kMargin;
        horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
        horizontalScrollBar()->setPageStep(viewport()->width());
        horizontalScrollBar()->setSingleStep(advance());  // an arrow key moves by a character
    }
    // A keystroke far below the lines in sight draws nothing.
    if (!change || (change->first < top && change->linesMoved) || top != verticalScrollBar()->value()) {
        viewport()->update();
    } else if (change->first <= top + lines) {
        const int y = kMargin + (std::max(change->first, top) - top) * metrics.lineSpacing();
        const int height = change->linesMoved ? viewport()->height() - y : metrics.lineSpacing();
        viewport()->update(0, y, viewport()->width(), height);
    }
}

void PreviewView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    refresh();
}

// Only the columns in sight are drawn, so that a line of a megabyte costs
// no more than a short one.
void PreviewView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QFontMetricsF metrics(font());
    const int advance = QFontMetrics(font()).horizontalAdvance(u'x'), spacing = QFontMetrics(font()).lineSpacing();
    const int firstColumn = horizontalScrollBar()->value() / advance;
    const int columns = viewport()->width() / advance + 2;
    const int shift = kMargin - horizontalScrollBar()->value() % advance;
    const int last = std::min(text_.lineCount(), verticalScrollBar()->value() + viewport()->height() / spacing + 2);
    painter.setPen(palette().color(QPalette::Text));
    for (int number = verticalScrollBar()->value(), y = kMargin; number < last; ++number, y += spacing) {
        const PreviewText::Line line = text_.line(number);
        const QString shown = line.text.mid(firstColumn, columns);
        for (int mark : line.marks) {
            const int column = mark - firstColumn;
            if (column >= 0 && column < shown.size())
                painter.fillRect(QRectF(shift + metrics.horizontalAdvance(shown.left(column)), y,
                                        metrics.horizontalAdvance(shown.at(column)), spacing),
                                 QColor(0xff, 0xd5, 0x4f));
        }
        painter.drawText(QPointF(shift, y + metrics.ascent()), shown);
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
    }
}

SizeLine::SizeLine(QWidget* parent) : QWidget(parent)
{
    // It paints its whole background: a new size draws the line alone.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void SizeLine::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    setAccessibleName(text);
    update();
}

QSize SizeLine::sizeHint() const { return {fontMetrics().horizontalAdvance(text_), fontMetrics().height()}; }

void SizeLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

PreviewWindow::PreviewWindow(const ProgramTexts& texts)
    : texts_(texts),
      view_(new PreviewView(text_, this)),
      markdown_(new MarkdownView(this)),
      size_(new SizeLine(this)),
      legend_(new QLabel(this))
{
    markdown_->setObjectName(QStringLiteral("TxtVistaPreviaMarkdown"));
    markdown_->hide();
    setObjectName(QStringLiteral("FrmVistaPrevia"));
    setWindowTitle(texts_.text(TextId::PreviewTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    view_->setObjectName(QStringLiteral("TxtVistaPrevia"));
    size_->setObjectName(QStringLiteral("LblTamano"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addWidget(markdown_);
    layout->addWidget(size_);
    // What a highlighted '?' is stands under the size, where there is one.
    legend_->setObjectName(QStringLiteral("LblLeyenda"));
    legend_->setText(texts_.text(TextId::PreviewMarks));
    legend_->setWordWrap(true);
    legend_->hide();
    layout->addWidget(legend_);
    resize(500, 620);
    // F5 closes it as it opened it, Escape and ctrl+W as any such window.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_F5), QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void PreviewWindow::showRecord(const DocumentRecord& record, const FieldPieces& pieces)
{
    const DocumentShape& shape = DocumentShape::get();
    QStringList segments;
    const auto fields = documentFields();
    for (qsizetype i = 0; i < shape.before.size(); ++i) {
        const DocumentField& field = fields[i];
        const bool inPieces = pieces.each && field.kind == FieldKind::Lines;
        segments << withLineEnds(shape.before[i]) << (inPieces ? QString() : writtenValue(field, record.*field.value));
    }
    segments << withLineEnds(shape.closing);
    text_.setSegments(segments);
    for (qsizetype i = 0; pieces.each && i < qsizetype(fields.size()); ++i) {
        if (fields[i].kind != FieldKind::Lines)
            continue;
        text_.reserve(segmentOf(int(i)), pieces.size(int(i)));
        pieces.each(int(i), [&](QStringView piece) {
            text_.appendTo(segmentOf(int(i)), writtenValue(fields[i], piece.toString()));
        });
    }
    text_.settle();
    if (showsMarkdown()) {
        markdown_->hide();
        view_->show();
    }
    changed();
}

void PreviewWindow::showMarkdown(const QString& markdown)
{
    if (!showsMarkdown()) {
        view_->hide();
        markdown_->show();
    }
    markdown_->showMarkdown(markdown);
    legend_->hide();
    const QString size = texts_.filled(TextId::PreviewSizeMarkdown, QLocale().toString(markdown.toUtf8().size()));
    size_->setText(size);
}

bool PreviewWindow::showsMarkdown() const { return !markdown_->isHidden(); }

void PreviewWindow::replaceField(int field, const QString& value)
{
    changed(text_.replace(segmentOf(field), 0, text_.segmentLength(segmentOf(field)), value));
}

void PreviewWindow::editField(int field, int position, int removed, const QString& added, int length)
{
    const int before = text_.segmentLength(segmentOf(field));
    position = std::clamp(position, 0, before);
    // Qt may count the field's last line end in an edit's sizes; the new
    // length settles how much went.
    removed = std::clamp(before + int(added.size()) - length, 0, before - position);
    changed(text_.replace(segmentOf(field), position, removed, added));
}

void PreviewWindow::changed(std::optional<PreviewText::Change> change)
{
    view_->refresh(change);
    showSize();
}

// The size, and what a highlighted '?' is where there is one.
void PreviewWindow::showSize()
{
    size_->setText(texts_.filled(TextId::PreviewSize, QLocale().toString(byteCount())));
    const bool marked = markCount() > 0;
    if (legend_->isHidden() == marked)
        legend_->setVisible(marked);
}

int PreviewWindow::fitRulesInto(int room)
{
    constexpr int kRule = 65;  // the document's long rule, its widest fixed line
    const QMargins margins = layout()->contentsMargins();
    const int chrome = margins.left() + margins.right();
    QFont font = fixedWidthFont();
    view_->setFont(font);
    if (font.pointSizeF() <= 0)
        return view_->widthFor(kRule) + chrome;  // a size in pixels: kept as it is
    for (qreal points = font.pointSizeF(); points > 8 && view_->widthFor(kRule) + chrome > room; points -= 0.5) {
        font.setPointSizeF(std::max<qreal>(points - 0.5, 8));
        view_->setFont(font);
    }
    return view_->widthFor(kRule) + chrome;
}

void PreviewWindow::placeBeside(const QWidget* window)
{
    const QRect screen = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    const int gap = frame.width() - window->width() + 4;
    const int height = std::min(window->height(), screen.height() - (frame.height() - window->height()));
    const int room = std::max(screen.right() - frame.right() - gap, frame.left() - screen.left() - gap);
    resize(std::max(fitRulesInto(room), std::min(room, 500)), height);
    const bool right = screen.right() - frame.right() >= frame.left() - screen.left();
    const int x = right ? frame.right() + gap : frame.left() - gap - this->width();
    move(std::clamp(x, screen.left(), screen.right() - this->width()), frame.top());
}
