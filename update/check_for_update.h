// The update check: own version against the announced edition.
#pragma once

// The update-check worker's routine; runs only on a background worker.
void checkForUpdate();
// The Update button.
void onUpdateClicked();
