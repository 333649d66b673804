#pragma once

#include "document/DocumentWindow.h"

// Shows a question of the document's in the program's modal message box, under the program's
// name, and reads the button pressed; a box closed otherwise, or not shown at all, answers Cancel.
Answer AskInMessageBox(const Question& question);
