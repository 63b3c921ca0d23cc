#include "document_record.h"

QString statusFor(CheckState statusBox, bool finalSelected)
{
    if (statusBox != CheckState::Ticked)
        return {};
    return finalSelected ? QStringLiteral("FINAL") : QStringLiteral("BETA");
}
