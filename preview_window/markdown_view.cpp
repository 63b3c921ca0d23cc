#include "markdown_view.h"

#include "program_look.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QShortcut>

MarkdownView::MarkdownView(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_U), this, nullptr, nullptr, Qt::WindowShortcut),
            &QShortcut::activated, this, &MarkdownView::toggleSource);
}

void MarkdownView::showMarkdown(const QString& markdown)
{
    if (markdown == markdown_)
        return;
    markdown_ = markdown;
    render();
}

void MarkdownView::toggleSource()
{
    source_ = !source_;
    render();
}

// The place in sight is kept: a keystroke in the form does not scroll back.
void MarkdownView::render()
{
    const int top = verticalScrollBar()->value();
    if (source_) {
        document()->setDefaultFont(fixedWidthFont());
        setPlainText(markdown_);
    } else {
        document()->setDefaultFont(font());
        setMarkdown(markdown_);
    }
    verticalScrollBar()->setValue(top);
}
