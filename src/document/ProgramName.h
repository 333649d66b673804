#pragma once

// The program's name: the application title, its windows' caption before a project names
// them, and the caption of its boxes.
inline constexpr char ProgramName[] = "ZUB Runtime Editor";
