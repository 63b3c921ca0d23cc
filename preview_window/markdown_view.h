#pragma once

#include <QTextBrowser>

// The Markdown document as a repository's page shows it, rendered by Qt's
// own Markdown support (GitHub's dialect), or its source in a fixed-width
// font; ctrl+U switches between the two. Read-only, and its links are not
// followed.
class MarkdownView : public QTextBrowser {
public:
    explicit MarkdownView(QWidget* parent);

    void showMarkdown(const QString& markdown);
    bool showsSource() const { return source_; }
    void toggleSource();

private:
    void render();

    QString markdown_;
    bool source_ = false;
};
