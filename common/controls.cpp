#include "common/controls.h"

#include "common/geometry.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

QLabel* addLabel(QWidget* parent, const QString& name, const QRect& area, QWidget* buddy)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(area);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QPushButton* addButton(QWidget* parent, const QString& name, const QRect& area)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(area);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* addFrame(QWidget* parent, const QString& name, const QRect& area)
{
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(name);
    frame->setGeometry(area);
    frame->setAutoFillBackground(true);
    frame->setStyleSheet(QStringLiteral(
        "QGroupBox { background-color: white; border: 1px solid #a0a0a0; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }"));
    return frame;
}

QLabel* addPicture(QWidget* parent, const QString& name, const QString& resource, const QRect& area)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(area);
    picture->setPixmap(QPixmap(resource));
    picture->setScaledContents(true);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
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
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setGeometry(area);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
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
