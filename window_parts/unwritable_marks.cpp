#include "unwritable_marks.h"

#include "windows1252.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>

namespace {

// Underlines, in each block of the document that holds any, the characters
// the document cannot hold. QSyntaxHighlighter would give every block a
// layout of its own as it passes over it, some hundreds of bytes a line:
// here a block without such characters is left as it is, and the block's
// state says which blocks carry marks to take away.
class UnwritableMarks : public QObject {
public:
    explicit UnwritableMarks(QTextDocument* document) : QObject(document), document_(document)
    {
        connect(document, &QTextDocument::contentsChange, this, &UnwritableMarks::markChanged);
        markChanged(0, 0, document->characterCount());
    }

private:
    static constexpr int kMarked = 1;

    void markChanged(int from, int /*removed*/, int added)
    {
        if (marking_)
            return;  // the marks' own redraw
        const QScopedValueRollback guard(marking_, true);
        const QTextBlock last = document_->findBlock(from + added);
        for (QTextBlock block = document_->findBlock(from); block.isValid(); block = block.next()) {
            mark(block);
            if (block == last)
                break;
        }
    }

    void mark(QTextBlock& block)
    {
        QList<QTextLayout::FormatRange> ranges;
        windows1252::forEachUnwritable(block.text(), [&](qsizetype position, qsizetype length) {
            ranges.append({int(position), int(length), format_});
            return true;
        });
        if (ranges.isEmpty() && block.userState() != kMarked)
            return;
        block.layout()->setFormats(ranges);
        block.setUserState(ranges.isEmpty() ? -1 : kMarked);
        document_->markContentsDirty(block.position(), block.length());
    }

    static QTextCharFormat markFormat()
    {
        QTextCharFormat mark;
        mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.setUnderlineColor(Qt::red);
        return mark;
    }

    QTextDocument* document_;
    QTextCharFormat format_ = markFormat();
    bool marking_ = false;
};

}  // namespace

void markUnwritable(QPlainTextEdit* box) { new UnwritableMarks(box->document()); }

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
