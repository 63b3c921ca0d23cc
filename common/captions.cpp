#include "common/captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace {

QWidget* findElement(QWidget* window, const char* name)
{
    if (*name == '\0')
        return window;
    return window->findChild<QWidget*>(QString::fromLatin1(name));
}

QString shownText(const QString& caption)
{
    QString text = caption;
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(1), QLatin1Char('&'));
    return text;
}

// How far a label may reach to its right without touching a neighbour.
int roomToTheRight(const QLabel* label)
{
    const QWidget* parent = label->parentWidget();
    int limit = parent->width() - 6;
    for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect area = sibling->geometry();
        const bool sameRow = area.top() < label->geometry().bottom() && area.bottom() > label->geometry().top();
        if (sibling != label && sameRow && area.left() > label->x())
            limit = std::min(limit, area.left() - 4);
    }
    return limit - label->x();
}

// A label laid out for one line keeps its text on one line: where the text
// is wider than the label, the label reaches into the free room to its
// right. A label with room for several lines wraps instead.
void fitLabel(QLabel* label)
{
    if (!label->property("designWidth").isValid())
        label->setProperty("designWidth", label->width());
    const int designWidth = label->property("designWidth").toInt();
    if (label->height() * 2 >= label->fontMetrics().lineSpacing() * 3) {
        label->setWordWrap(true);
        return;
    }
    const int needed = label->fontMetrics().horizontalAdvance(shownText(label->text())) + 2;
    const int width = needed > designWidth ? std::max(designWidth, std::min(needed, roomToTheRight(label))) : designWidth;
    label->resize(width, label->height());
    label->setWordWrap(needed > width);
}

}  // namespace

void setCaption(QWidget* element, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(element)) {
        label->setText(text);
        fitLabel(label);
    }
    else if (auto* group = qobject_cast<QGroupBox*>(element))
        group->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(element))
        button->setText(text);
    else if (element->isWindow())
        element->setWindowTitle(text);
}

void applyCaptions(QWidget* window, std::span<const CaptionKey> keys, const Edition& edition)
{
    for (const CaptionKey& row : keys) {
        if (edition.singleLanguage() && !row.singleLanguageText)
            continue;
        const char* name = edition.singleLanguage() && row.singleLanguageElement ? row.singleLanguageElement : row.element;
        QWidget* element = findElement(window, name);
        if (!element)
            continue;
        if (edition.singleLanguage())
            setCaption(element, QString::fromUtf8(row.singleLanguageText));
        else
            setCaption(element, edition.captions ? edition.captions->caption(QString::fromLatin1(row.key)) : QString());
    }
}
