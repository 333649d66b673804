#pragma once

#include "document/FileWatch.h"

// When the project file on disk is looked at: the program came to the front again after another
// program, or a save to the project's own file is about to write.
enum class DiskMoment { Activation, Save };

// What the user is asked or told about the file on disk, and what the answer does.
enum class DiskQuestion {
    None,                   // nothing to say: the command goes on
    Reload,                 // read the file again? Yes loads it as Open does; No keeps the screen
    ReloadDiscardingEdits,  // the same, naming the edits made here that Yes discards
    Overwrite,              // write over another program's change? No ends the command unsaved
    TellGone,               // the file is no longer there; the project then counts as changed
};

// The question for a change on disk, with the document changed or clean, at a moment, when the
// user has or has not answered about this very change already. Asked at most once a change: a
// change the user kept the screen over is written over without asking again. A file that cannot
// be read or is no project file brings no question: a save refuses it with the error Open gives.
DiskQuestion QuestionFor(DiskChange change, bool documentChanged, DiskMoment moment, bool answered);
