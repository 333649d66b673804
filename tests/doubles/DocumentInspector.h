#pragma once

#include "document/Document.h"

// The document's record, which the program shows nowhere but in the edits after a load.
struct DocumentInspector {
    static const TProjectRecord& Record(const TDocument& document) { return document.record_; }
};
