#pragma once

// Where the fields of a read-me document lie in a file's text; used by the
// document reader only.

#include "document.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace document_fields {

// The first line, author, e-mail, web page, date, description, licence of
// use, licence of distribution.
inline constexpr int kFields = 8;

// The fixed texts of a document, taken from the writer itself (a record of
// marker characters, composed and cut at the markers), so that the reader
// and the writer can never disagree.
struct Layout {
    QString versionMark;  // between the product and the version
    std::array<QString, kFields - 1> separators;
    QString end;

    static const Layout& get();
};

struct Span {
    qsizetype start = 0;
    qsizetype end = 0;
};
using Fields = std::array<Span, kFields>;

// A file's text with where each fixed text occurs in it, and the line ends
// that could not have come from the writer, which writes every line break
// as CR LF.
class Text {
public:
    explicit Text(QStringView text);

    QStringView view() const { return text_; }
    const QList<qsizetype>& separator(int k) const { return separators_[k]; }
    const QList<qsizetype>& ends() const { return ends_; }

    // Whether the k-th field, at that span, is written back to the same
    // bytes from what the window's box would hold.
    bool fieldWritable(int k, Span s) const;
    // A single-line box can hold any text, but no line feed of its own.
    bool writableAsLine(Span s) const;
    // A multi-line box holds line breaks as LF only.
    bool writableAsLines(Span s) const;

    DocumentRecord recordOf(const Fields& fields) const;

private:
    QList<qsizetype> occurrences(const QString& needle) const;
    QString field(Span s, bool lines) const;

    QStringView text_;
    std::array<QList<qsizetype>, kFields - 1> separators_;
    QList<qsizetype> ends_;
    QList<qsizetype> loneFeeds_;
    QList<qsizetype> loneReturns_;
};

// The first line: the product (written upper-case), " Ver. ", the version,
// one space and the status.
std::optional<DocumentRecord> firstLineOf(QStringView line);

}  // namespace document_fields
