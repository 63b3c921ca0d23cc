#include "controls.h"

#include "multi_line_box.h"
#include "program_look.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <limits>

namespace {

// A label whose caption's '&' marks an access key. With a partner control Qt
// underlines the letter and the key moves the focus there; without one Qt
// would show the '&' itself, so the letter is underlined here instead and
// the key moves the focus nowhere.
class CaptionLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (buddy() || !text().contains(QLatin1Char('&'))) {
            QLabel::paintEvent(event);
            return;
        }
        int flags = int(QStyle::visualAlignment(layoutDirection(), alignment())) | Qt::TextShowMnemonic;
        if (wordWrap())
            flags |= Qt::TextWordWrap;
        if (!style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this))
            flags |= Qt::TextHideMnemonic;
        QPainter painter(this);
        style()->drawItemText(&painter, contentsRect(), flags, palette(), isEnabled(), text(), foregroundRole());
    }
};

}  // namespace

QLabel* addLabel(QWidget* parent, const QString& name, const QRect& area, QWidget* buddy)
{
    auto* label = new CaptionLabel(parent);
    label->setObjectName(name);
    label->setGeometry(area);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

namespace {

// Return and Enter press the focused button, as Space does; Qt leaves them
// to a dialog's default button, and these windows have none.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool returnKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (returnKey && !(event->modifiers() & ~Qt::KeypadModifier)) {
            animateClick();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

}  // namespace

QPushButton* addButton(QWidget* parent, const QString& name, const QRect& area)
{
    auto* button = new CommandButton(parent);
    button->setObjectName(name);
    button->setGeometry(area);
    button->setAutoDefault(false);
    return button;
}

namespace {

// A group as the program draws it: a white panel with a thin border whose
// caption sits on the top line. Painted here rather than by a style sheet,
// which would cost every window a style of its own at start-up.
class Frame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const QFontMetrics metrics = fontMetrics();
        const int middle = metrics.height() / 2;
        painter.setPen(QColor(160, 160, 160));
        painter.drawRect(QRect(0, middle, width() - 1, height() - middle - 1));
        if (title().isEmpty())
            return;
        const int flags = Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignTop;
        const QRect caption =
            metrics.boundingRect(QRect(8, 0, width() - 16, metrics.height()), flags, title()).adjusted(-2, 0, 2, 0);
        painter.fillRect(caption, Qt::white);
        style()->drawItemText(&painter, caption.adjusted(2, 0, -2, 0), flags, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
};

}  // namespace

QGroupBox* addFrame(QWidget* parent, const QString& name, const QRect& area)
{
    auto* frame = new Frame(parent);
    frame->setObjectName(name);
    frame->setGeometry(area);
    paintWhite(frame);
    return frame;
}

QLabel* addPicture(QWidget* parent, const QString& name, const QString& resource, const QRect& area)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(area);
    picture->setPixmap(pictureOf(resource));
    picture->setScaledContents(true);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
}

QLabel* addStrip(QWidget* parent, const QString& name, const QString& rowResource, const QRect& area)
{
    auto* strip = new QLabel(parent);
    strip->setObjectName(name);
    strip->setGeometry(area);
    QPalette palette = strip->palette();
    palette.setBrush(strip->backgroundRole(), QBrush(pictureOf(rowResource)));
    strip->setPalette(palette);
    strip->setAutoFillBackground(true);
    strip->setAttribute(Qt::WA_TransparentForMouseEvents);
    return strip;
}

QLineEdit* addLineBox(QWidget* parent, const QString& name, const QRect& area)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(area);
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QPlainTextEdit* addMultiLineBox(QWidget* parent, const QString& name, const QRect& area)
{
    auto* box = new MultiLineBox(parent);
    box->setObjectName(name);
    box->setGeometry(area);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    return box;
}

QString plainTextOf(const QPlainTextEdit* box)
{
    QString text = box->document()->toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = QLatin1Char('\n');
    }
    return text;
}

void forEachPieceOf(const QPlainTextEdit* box, const std::function<void(QStringView)>& piece)
{
    const QTextDocument* document = box->document();
    QString line;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin())
            piece(u"\n");
        line = block.text();
        std::replace(line.begin(), line.end(), QChar(QChar::LineSeparator), QChar(u'\n'));
        piece(line);
    }
}
