#include "common/captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace {

QWidget* findElement(QWidget* window, const char* name)
{
    if (*name == '\0')
        return window;
    return window->findChild<QWidget*>(QString::fromLatin1(name));
}

}  // namespace

void setCaption(QWidget* element, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(element))
        label->setText(text);
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
