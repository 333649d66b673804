#pragma once

#include "document/Document.h"

// The document's record, which the program shows nowhere but in the edits after a load.
struct DocumentRecord {
    static const TProjectRecord& Of(const TDocument& document) { return document.record_; }
};
