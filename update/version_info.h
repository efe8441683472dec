// A file's version resource, read into a VersionRecord.
#pragma once

#include <string>

#include "app/shared_state.h"

// Refills record from the version resource of the file at path: the strings
// under the first translation (or "040904E4" without a translation table),
// each cut to 255 bytes, and the names of all listed languages. False, with
// every field empty, when the file has no version resource. The caller keeps
// other readers and writers of record away (versionInfo.lock).
bool readVersionInfo(const std::string& path, VersionRecord& record);
