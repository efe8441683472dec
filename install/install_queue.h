// The install queue, the single-font worker and their hand-over.
#pragma once

void onInstallClicked();
void onFontListDoubleClicked();
void onInstallTimerTick();
void runInstallQueue();
void installCurrentFont();
// True while the queue thread exists or a single-font worker runs. Called on
// the user-interface thread (the folder scan refuses to start meanwhile).
bool installInFlight();
