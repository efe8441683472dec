#include "discovery/scan_folder.h"

// Filled in by the folder scan.
void onBrowseClicked() {}
void onFilesDropped(const char*) {}
void scanFolder() {}
