// Filling the font list with every font file under one folder.
#pragma once

// Browse button: pick a folder and scan it (user-interface thread).
void onBrowseClicked();
// A drop on the main window: text is one path, or several each ended by "\r\n".
void onFilesDropped(const char* text);
// The scan worker's routine.
void scanFolder();
