#pragma once

#include <QString>

// The ten values one read-me document is made from, each exactly as the main
// window holds it: nothing is trimmed, checked or shortened. Where each one
// stands in the document, and how it is written and read back, is the field
// table's business (document_fields.h).
struct DocumentRecord {
    QString product{};  // product name without the version
    QString version{};
    QString status{};  // "FINAL", "BETA" or empty
    QString author{};  // author's name and surnames
    QString email{};
    QString web{};
    QString date{};  // creation date in the general date form
    QString description{};
    QString useLicence{};
    QString distributionLicence{};

    bool operator==(const DocumentRecord&) const = default;
};

enum class CheckState { Clear = 0, Ticked = 1, Greyed = 2 };

// The release status from the status check box and the "final" option: only
// a ticked box states a status; the "beta" option itself is never consulted.
QString statusFor(CheckState statusBox, bool finalSelected);
