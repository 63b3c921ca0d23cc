#pragma once

#include <QString>

// The source of the captions that release 1.1 reads from its language file,
// one key at a time.
class CaptionSource {
public:
    virtual ~CaptionSource() = default;
    virtual QString caption(const QString& key) const = 0;
};

enum class Release { V1_0, V1_1 };

// Which of the two releases is running: both are built from one source and
// the difference is handed to the windows at start-up.
struct Edition {
    Release release = Release::V1_1;
    // Release 1.1 only; release 1.0 shows the captions fixed in its windows.
    const CaptionSource* captions = nullptr;

    bool singleLanguage() const { return release == Release::V1_0; }
    QString versionText() const { return singleLanguage() ? QStringLiteral("1.0") : QStringLiteral("1.1"); }
};
