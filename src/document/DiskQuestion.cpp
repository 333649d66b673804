#include "document/DiskQuestion.h"

DiskQuestion QuestionFor(DiskChange change, bool documentChanged, DiskMoment moment, bool answered) {
    switch (change) {
        case DiskChange::Unchanged:
            return DiskQuestion::None;
        case DiskChange::Changed:
            if (answered) {
                return DiskQuestion::None;
            }
            if (moment == DiskMoment::Save) {
                return DiskQuestion::Overwrite;
            }
            return documentChanged ? DiskQuestion::ReloadDiscardingEdits : DiskQuestion::Reload;
        case DiskChange::Gone:
            // A save makes the file anew under its name, as the first save of a project does.
            return moment == DiskMoment::Activation && !answered ? DiskQuestion::TellGone : DiskQuestion::None;
        case DiskChange::Unreadable:
        case DiskChange::NotAProject:
            // Coming back is no reason to complain of a file that may be free again in a moment;
            // a save refuses such a file itself, before it asks anything.
            return DiskQuestion::None;
    }
    return DiskQuestion::None;
}
