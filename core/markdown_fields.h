#pragma once

#include "document_fields.h"

// Where the Markdown document puts a field, for its writer and its reader.

// The product, the version and the status make the title.
bool inTitle(const DocumentField& field);
// The e-mail address and the web page are links.
bool isLinked(const DocumentField& field);
