// The main window as the user sees it, and the start-up and shutdown around it.
#pragma once

// Start-up, message loop and shutdown; gives the process exit code.
int runProgram();

// Window-created handler: drops on, then the update check in the background.
void onMainWindowCreated();
void onAboutClicked();
