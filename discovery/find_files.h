// Recursive search for files by name ending.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// Lets a caller end a search early: once latest no longer holds ticket the
// search stops at its next entry, keeping what it has appended so far.
struct SearchCancel {
  const std::atomic<uint32_t>& latest;
  uint32_t ticket;
};

// Appends to results every file under folder whose name matches filter
// (see match_rule.h), in the given form, and with includeFolders every
// subfolder's full path; with recurse it descends depth first. folder comes
// back normalised: the program's own folder when empty, one trailing "\".
// Gives the element count of results, earlier elements included.
// Dispatches the calling thread's pending messages once per file entry.
int findFiles(std::string& folder, const char* filter, std::vector<std::string>& results, int form,
              bool includeFolders, bool recurse, const SearchCancel* cancel = nullptr);
