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

// Calls found(position, length) for each character of the text, a surrogate
// pair being one character, that Windows-1252 cannot hold; stops when found
// returns false.
template <typename Found>
void forEachUnwritable(QStringView text, Found found)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() < 0x80)
            continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t point = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        if (!windows1252::canEncode(point) && !found(i, pair ? 2 : 1))
            return;
        i += pair ? 1 : 0;
    }
}

class UnwritableHighlighter : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString& text) override
    {
        QTextCharFormat mark;
        mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.setUnderlineColor(Qt::red);
        forEachUnwritable(text, [&](qsizetype position, int length) {
            setFormat(int(position), length, mark);
            return true;
        });
    }
};

}  // namespace

QStringList unwritableCharacters(QStringView text)
{
    constexpr int kMost = 10;
    QStringList found;
    forEachUnwritable(text, [&](qsizetype position, int length) {
        const QString character = text.sliced(position, length).toString();
        if (!found.contains(character))
            found.append(character);
        return found.size() < kMost;
    });
    return found;
}

void markUnwritable(QPlainTextEdit* box) { new UnwritableHighlighter(box->document()); }

void markUnwritable(QLineEdit* box, const ProgramTexts& texts)
{
    // The sign's picture is looked up when first needed: the style finds it
    // in the icon theme, which costs start-up time and memory.
    auto* sign = box->addAction(QIcon(), QLineEdit::TrailingPosition);
    sign->setObjectName(box->objectName() + QStringLiteral("Aviso"));
    sign->setVisible(false);
    QObject::connect(box, &QLineEdit::textChanged, sign, [sign, texts](const QString& text) {
        const QStringList found = unwritableCharacters(text);
        if (!found.isEmpty() && sign->icon().isNull())
            sign->setIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
        sign->setVisible(!found.isEmpty());
        if (found.isEmpty())
            return;
        const QString tip =
            texts.filled(TextId::UnwritableTip, u'\u00AB' + found.join(u"\u00BB, \u00AB"_qs) + u'\u00BB');
        sign->setToolTip(tip);
        // A screen reader reads the sign's button as it reads the tooltip.
        for (QObject* shown : sign->associatedObjects()) {
            if (auto* button = qobject_cast<QToolButton*>(shown))
                button->setAccessibleName(tip);
        }
    });
}
