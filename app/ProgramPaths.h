#pragma once
// The folders of this run: the program folder (Data.ini, res/, logo.png) and
// the data folder (Data.bin, profile.bin, the libraries). Set once before the
// main window is made; pages that save files or open file dialogs read them here.

#include "app/StartupData.h"

const StartupFolders& ProgramFolders();
void SetProgramFolders(StartupFolders folders);
