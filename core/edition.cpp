#include "edition.h"

#include <algorithm>

#include <QDir>
#include <QLocale>

Edition::Edition(Layout layout, const CaptionSource* captions) : layout_(layout), captions_(captions) {}

Edition Edition::release11(const CaptionSource* captions) { return Edition(Layout::Translatable, captions); }

Edition Edition::release10() { return Edition(Layout::SingleLanguage, nullptr); }

Edition::Layout Edition::layout() const { return layout_; }

QString Edition::versionText() const
{
    return layout_ == Layout::SingleLanguage ? QStringLiteral("1.0") : QStringLiteral("1.1");
}

QString Edition::programName() const
{
    return layout_ == Layout::SingleLanguage ? QStringLiteral("trumi-editor-1.0") : QStringLiteral("trumi-editor");
}

WriteMode Edition::writeMode() const
{
    return layout_ == Layout::SingleLanguage ? WriteMode::Append : WriteMode::Replace;
}

// Release 1.1 starts in the home folder (there is no C:\ to start in);
// release 1.0 starts in the current folder and, since it appends, never asks.
bool Edition::saveDialogConfirmsReplace() const { return layout_ == Layout::Translatable; }

// Release 1.0 would add the new document after the opened one, so it
// proposes nothing.
bool Edition::saveDialogProposesOpenedFile() const { return layout_ == Layout::Translatable; }

QString Edition::saveDialogStartFolder() const
{
    return layout_ == Layout::SingleLanguage ? QDir::currentPath() : QDir::homePath();
}

namespace {

bool isAsciiLetter(QChar c) { return c.isLetter() && c.unicode() < 0x80; }
bool isAsciiLetterOrDigit(QChar c) { return c.isLetterOrNumber() && c.unicode() < 0x80; }

// Two or three letters, then perhaps '_' or '-' and two to eight letters or
// digits.
bool hasLanguageCodeShape(QStringView code)
{
    const qsizetype letters = std::find_if_not(code.begin(), code.end(), isAsciiLetter) - code.begin();
    if (letters < 2 || letters > 3)
        return false;
    const QStringView rest = code.sliced(letters);
    return rest.isEmpty() || ((rest.front() == u'_' || rest.front() == u'-') && rest.size() >= 3 && rest.size() <= 9 &&
                              std::all_of(rest.begin() + 1, rest.end(), isAsciiLetterOrDigit));
}

// A code such as "es", "en" or "pt_BR" that names a language Qt knows.
bool isKnownLanguage(const QString& code)
{
    if (!hasLanguageCodeShape(code))
        return false;
    const QLocale::Language language = QLocale(code).language();
    return language != QLocale::C && language != QLocale::AnyLanguage;
}

}  // namespace

QString Edition::toolkitLanguage() const
{
    if (layout_ == Layout::SingleLanguage)
        return QStringLiteral("es");
    const QString named = captions_ ? captions_->language() : QString();
    return isKnownLanguage(named) ? named : QLocale::system().name();
}

ProgramTexts Edition::texts() const
{
    if (layout_ == Layout::SingleLanguage || !captions_)
        return {};
    return captions_->texts();
}

CaptionsRead Edition::captionsOf(const QString& window, const QList<Caption>& fixed) const
{
    if (layout_ == Layout::SingleLanguage)
        return {fixed, std::nullopt};
    if (!captions_)
        return {};
    return captions_->captionsOf(window);
}

bool Edition::writesMarkdown() const { return layout_ == Layout::Translatable; }

QList<MarkdownHeadings> Edition::markdownHeadings() const
{
    if (!writesMarkdown())
        return {};
    QList<MarkdownHeadings> known;
    auto add = [&known](const ProgramTexts& texts) {
        const MarkdownHeadings words = MarkdownHeadings::fromTexts(texts);
        if (!known.contains(words))
            known.append(words);
    };
    add(texts());
    add(ProgramTexts());
    for (const ProgramTexts& shipped : captions_ ? captions_->shippedTexts() : QList<ProgramTexts>())
        add(shipped);
    return known;
}
