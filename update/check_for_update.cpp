#include "update/check_for_update.h"

#include "app/workers.h"

void checkForUpdate() {}
void onUpdateClicked() { startWorker(checkForUpdate); }
