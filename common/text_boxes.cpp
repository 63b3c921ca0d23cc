#include "common/text_boxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <limits>

QLineEdit* addLineBox(QWidget* parent, const QString& objectName, const QRect& area)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setGeometry(area);
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QPlainTextEdit* addMultiLineBox(QWidget* parent, const QString& objectName, const QRect& area)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(objectName);
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
