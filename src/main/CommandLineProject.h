#pragma once

class TMainWindow;

// Opens the project that the program's command line names, as the Open command opens the file
// its dialog returned; a name is made full from the current folder and must be exact in the
// code page, as the dialogs' names must. Anything on the command line but one file name raises
// Exception with the message that says how the program is called. Without arguments: nothing.
void OpenCommandLineProject(TMainWindow& window);
