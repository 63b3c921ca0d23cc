#include "unwritable_marks.h"

#include "windows1252.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QSyntaxHighlighter>
#include <QToolButton>

namespace {

class UnwritableHighlighter : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString& text) override
    {
        QTextCharFormat mark;
        mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.setUnderlineColor(Qt::red);
        windows1252::forEachUnwritable(text, [&](qsizetype position, qsizetype length) {
            setFormat(int(position), int(length), mark);
            return true;
        });
    }
};

}  // namespace

void markUnwritable(QPlainTextEdit* box) { new UnwritableHighlighter(box->document()); }

void markUnwritable(QLineEdit* box, const ProgramTexts& texts)
{
    // The sign's picture is looked up when first needed: the style finds it
    // in the icon theme, which costs start-up time and memory.
    auto* sign = box->addAction(QIcon(), QLineEdit::TrailingPosition);
    sign->setObjectName(box->objectName() + QStringLiteral("Aviso"));
    sign->setVisible(false);
    QObject::connect(box, &QLineEdit::textChanged, sign, [sign, texts](const QString& text) {
        const QStringList found = windows1252::unwritableCharacters(text);
        if (!found.isEmpty() && sign->icon().isNull())
            sign->setIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
        sign->setVisible(!found.isEmpty());
        if (found.isEmpty())
            return;
        QStringList quoted;
        for (const QString& character : found)
            quoted.append(texts.filled(TextId::QuotedCharacter, character));
        const QString tip = texts.filled(found.size() == 1 ? TextId::UnwritableTipOne : TextId::UnwritableTip,
                                         quoted.join(QStringLiteral(", ")));
        sign->setToolTip(tip);
        // A screen reader reads the sign's button as it reads the tooltip.
        for (QObject* shown : sign->associatedObjects()) {
            if (auto* button = qobject_cast<QToolButton*>(shown))
                button->setAccessibleName(tip);
        }
    });
}
