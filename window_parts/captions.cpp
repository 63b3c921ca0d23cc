#include "captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace {

QWidget* findElement(QWidget* window, const QString& name)
{
    if (name.isEmpty())
        return window;
    return window->findChild<QWidget*>(name);
}

QString shownText(const QString& caption)
{
    QString text = caption;
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(1), QLatin1Char('&'));
    return text;
}

// How far a label may reach to its right (or downwards) without touching a
// neighbour or leaving its container.
int room(const QLabel* label, Qt::Orientation direction)
{
    const QWidget* parent = label->parentWidget();
    const QRect own = label->geometry();
    const bool rightwards = direction == Qt::Horizontal;
    int limit = (rightwards ? parent->width() : parent->height()) - 6;
    for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect area = sibling->geometry();
        const bool inTheWay = rightwards
                                  ? area.top() <= own.bottom() && area.bottom() >= own.top() && area.left() > own.left()
                                  : area.left() <= own.right() && area.right() >= own.left() && area.top() > own.top();
        if (sibling != label && inTheWay)
            limit = std::min(limit, (rightwards ? area.left() : area.top()) - 2);
    }
    return limit - (rightwards ? own.left() : own.top());
}

QSize designSize(QLabel* label)
{
    if (!label->property("designSize").isValid())
        label->setProperty("designSize", label->size());
    return label->property("designSize").toSize();
}

// A label laid out for one line keeps its text on one line: where the text
// is wider than the label, the label reaches into the free room to its
// right. A label with room for several lines wraps, and reaches down into
// free room where its last line would be cut.
void fitLabel(QLabel* label)
{
    const QSize design = designSize(label);
    label->resize(design);
    const QFontMetrics metrics = label->fontMetrics();
    const QString text = shownText(label->text());
    const bool severalLines = design.height() * 2 >= metrics.lineSpacing() * 3;
    if (!severalLines) {
        const int needed = metrics.horizontalAdvance(text) + 2;
        if (needed > design.width())
            label->resize(std::max(design.width(), std::min(needed, room(label, Qt::Horizontal))), design.height());
        label->setWordWrap(needed > label->width());
        return;
    }
    label->setWordWrap(true);
    const int needed = metrics.boundingRect(QRect(0, 0, design.width(), 100000), Qt::TextWordWrap, text).height();
    if (needed > design.height())
        label->resize(design.width(), std::max(design.height(), std::min(needed, room(label, Qt::Vertical))));
}

// A screen reader announces a box by the caption of its label or, where
// the label has none, by the box's tooltip.
void nameBuddy(const QLabel* label)
{
    if (QWidget* buddy = label->buddy()) {
        const QString caption = shownText(label->text()).trimmed();
        buddy->setAccessibleName(caption.isEmpty() ? buddy->toolTip() : caption);
    }
}

}  // namespace

// An empty title would show the program's name instead (Qt's own choice for
// an untitled window); a zero-width space shows nothing.
const QString kBlankTitle = QString(QChar(0x200B));

void setCaption(QWidget* element, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(element)) {
        label->setText(text);
        fitLabel(label);
        nameBuddy(label);
    } else if (auto* group = qobject_cast<QGroupBox*>(element))
        group->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(element))
        button->setText(text);
    else if (element->isWindow())
        element->setWindowTitle(text.isEmpty() ? kBlankTitle : text);
}

void applyCaptions(QWidget* window, const QList<Caption>& captions)
{
    for (const Caption& caption : captions) {
        if (QWidget* element = findElement(window, caption.element))
            setCaption(element, caption.text);
    }
}

QString captionOf(const QWidget* element)
{
    if (auto* label = qobject_cast<const QLabel*>(element))
        return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(element))
        return group->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(element))
        return button->text();
    return element->windowTitle() == kBlankTitle ? QString() : element->windowTitle();
}
