#include "discovery/find_files.h"

#include "app/exe_location.h"
#include "discovery/match_rule.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/window.h"

namespace {

// One enumeration of a folder; the handle is closed however the walk ends.
struct FolderListing {
  explicit FolderListing(const std::string& folder) : handle(platform::findFirst(folder + "*.*", entry)) {}
  ~FolderListing() { platform::findClose(handle); }
  bool next() { return platform::findNext(handle, entry); }

  platform::FindEntry entry;
  platform::FindHandle handle;
};

bool cancelled(const SearchCancel* cancel) { return cancel && cancel->latest.load() != cancel->ticket; }

bool isFolder(const platform::FindEntry& e) { return (e.attributes & platform::kAttributeDirectory) != 0; }

// Checked by characters, so a folder whose last character has 0x5C as its
// second byte still gets its separator.
bool endsInSeparator(const std::string& folder) {
  return !folder.empty() && platform::findLastSeparator(folder, "\\") == folder.size() - 1;
}

void filePass(const std::string& folder, const NameFilter& filter, std::vector<std::string>& results, int form,
              const SearchCancel* cancel) {
  FolderListing listing(folder);
  if (!listing.handle) return;
  do {
    if (cancelled(cancel)) return;
    if (isFolder(listing.entry)) continue;
    // Keeps the calling thread's windows alive during a long search.
    platform::dispatchPendingMessages();
    if (nameMatches(filter, listing.entry.name)) results.push_back(resultText(folder, listing.entry.name, form));
  } while (listing.next());
}

void folderPass(const std::string& folder, const char* filter, std::vector<std::string>& results, int form,
                bool includeFolders, bool recurse, const SearchCancel* cancel) {
  FolderListing listing(folder);
  if (!listing.handle) return;
  do {
    if (cancelled(cancel)) return;
    const std::string& name = listing.entry.name;
    // Skips "." and ".." and every folder whose name starts with a dot.
    if (!isFolder(listing.entry) || name.empty() || name[0] == '.') continue;
    if (includeFolders) results.push_back(folder + name);
    if (recurse) {
      std::string sub = folder + name;
      findFiles(sub, filter, results, form, includeFolders, recurse, cancel);
    }
  } while (listing.next());
}

}  // namespace

int findFiles(std::string& folder, const char* filter, std::vector<std::string>& results, int form,
              bool includeFolders, bool recurse, const SearchCancel* cancel) {
  if (folder.empty()) folder = runDirectory();
  if (!endsInSeparator(folder)) folder += '\\';
  filePass(folder, readFilter(filter), results, form, cancel);
  if (includeFolders || recurse) folderPass(folder, filter, results, form, includeFolders, recurse, cancel);
  return static_cast<int>(results.size());
}
