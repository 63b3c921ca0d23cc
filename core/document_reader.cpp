// Reading a read-me document back: the inverse of the writer.
//
// A document is its first line, then eight fields with fixed texts between
// them, then the closing rule. Any field may hold text that looks like those
// fixed texts (a description that quotes another document, say), so the
// reader looks for the fixed texts in order, earliest first, and takes a
// placement only where every field can be written back to the same bytes.
// Of the ways a file can be cut into leading text and whole documents, the
// one with the most documents wins, and its last document is the one read.
// (So a description made of two whole documents one after the other, which
// no reader could tell from two appended documents, opens as the second.)
#include "document_reader.h"

#include "document_fields.h"
#include "file_io.h"
#include "windows1252.h"

#include <QHash>

using namespace document_fields;

namespace {

// Cuts a file into leading text and whole documents.
class Reader {
public:
    explicit Reader(const Text& text) : text_(text) {}

    // A file that ends with a whole document opens as it; otherwise (text
    // after the last document, or a document cut short) the end that leads
    // to the most documents wins, the earliest of equals.
    std::optional<DocumentRecord> lastDocument()
    {
        const QList<qsizetype>& ends = text_.ends();
        const qsizetype closing = Layout::get().end.size();
        std::optional<Tiling> best;
        for (qsizetype i = 0; i < ends.size(); ++i) {
            const bool atFileEnd = ends[i] + closing == text_.view().size();
            const auto tiling = tilingEndingAt(ends[i] + closing);
            if (tiling && atFileEnd)
                return tiling->last;
            if (tiling && (!best || tiling->count > best->count))
                best = tiling;
        }
        return best ? std::optional(best->last) : std::nullopt;
    }

private:
    struct Tiling {
        int count;
        DocumentRecord last;
    };

    // The first document starts at the file's start or, after text of the
    // file's own, at the start of a line that holds " Ver. "; the first start
    // that leads to the most documents wins.
    std::optional<Tiling> tilingEndingAt(qsizetype end)
    {
        fileEnd_ = end;
        counts_.clear();
        chains_.clear();
        int bestCount = 0;
        qsizetype bestStart = -1;
        for (qsizetype start = 0; start >= 0 && start < fileEnd_; start = nextCandidateStart(start)) {
            if (documentsAfter(start) <= bestCount)
                break;  // no later start can lead to more documents
            const int count = documentsFrom(start);
            if (count > bestCount) {
                bestCount = count;
                bestStart = start;
            }
        }
        if (bestStart < 0)
            return std::nullopt;
        qsizetype start = bestStart;
        while (chains_[start].next != fileEnd_)
            start = chains_[start].next;
        return Tiling{bestCount, text_.recordOf(chains_[start].fields)};
    }

    qsizetype nextCandidateStart(qsizetype from) const
    {
        const QStringView text = text_.view();
        const qsizetype lineEnd = text.indexOf(u"\r\n", from);
        const qsizetype mark = lineEnd < 0 ? -1 : text.indexOf(Layout::get().versionMark, lineEnd + 2);
        return mark < 0 ? -1 : text.lastIndexOf(u"\r\n", mark) + 2;
    }

    // At most as many documents as there are first separators.
    int documentsAfter(qsizetype start) const
    {
        const QList<qsizetype>& firsts = text_.separator(0);
        return int(firsts.end() - std::lower_bound(firsts.begin(), firsts.end(), start));
    }

    // The most whole documents that run from start to the file's end, one
    // after the other, or 0.
    int documentsFrom(qsizetype start)
    {
        if (auto known = counts_.constFind(start); known != counts_.constEnd())
            return *known;
        counts_.insert(start, 0);
        Fields fields{};
        int best = 0;
        if (placeSeparators(0, start, fields)) {
            const qsizetype last = fields[kFields - 1].start;
            for (const qsizetype end : text_.ends()) {
                const qsizetype documentEnd = end + Layout::get().end.size();
                if (end < last || documentEnd > fileEnd_ || !text_.writableAsLines({last, end}))
                    continue;
                const int after = documentEnd == fileEnd_ ? 0 : documentsFrom(documentEnd);
                if (documentEnd != fileEnd_ && after == 0)
                    continue;  // what follows is no whole document
                if (after + 1 > best) {
                    best = after + 1;
                    fields[kFields - 1].end = end;
                    chains_[start] = {fields, documentEnd};
                }
            }
        }
        counts_[start] = best;
        return best;
    }

    // Places the separators from the k-th on, each at its earliest place
    // that leaves every field before it writable.
    bool placeSeparators(int k, qsizetype from, Fields& fields)
    {
        if (k == kFields - 1) {
            fields[k].start = from;
            return true;
        }
        if (++attempts_ > kMostAttempts)
            return false;
        const QList<qsizetype>& places = text_.separator(k);
        for (auto at = std::lower_bound(places.begin(), places.end(), from); at != places.end(); ++at) {
            if (*at >= fileEnd_)
                break;
            fields[k] = {from, *at};
            if (text_.fieldWritable(k, fields[k]) &&
                placeSeparators(k + 1, *at + Layout::get().separators[k].size(), fields))
                return true;
        }
        return false;
    }

    // A file made to look like countless documents is not worth the time.
    static constexpr int kMostAttempts = 20000;

    struct Chain {
        Fields fields;
        qsizetype next;
    };

    const Text& text_;
    qsizetype fileEnd_ = 0;
    int attempts_ = 0;
    QHash<qsizetype, int> counts_;
    QHash<qsizetype, Chain> chains_;
};

}  // namespace

std::optional<DocumentRecord> lastDocumentIn(QStringView text)
{
    const Text indexed(text);
    return Reader(indexed).lastDocument();
}

DocumentRead readDocument(const FilePath& path)
{
    QByteArray bytes;
    if (auto error = file_io::readFile(path, bytes))
        return {std::nullopt, error};
    const QString text = windows1252::decode(bytes);
    if (auto record = lastDocumentIn(text))
        return {record, std::nullopt};
    // Error 62, "input past end of file", as for a licence file that ends
    // before its fields.
    return {std::nullopt, FileError::withText(62, QStringLiteral("El fichero no contiene ningún documento completo."), path)};
}
