// The network and shell operations of the update check. Each blocks the
// calling thread; none talks to the user.
#pragma once

#include <string>

// GETs address over HTTP(S) and gives the body of the response, whatever its
// status; empty when nothing could be fetched. At most 16 MiB are kept.
std::string fetchPage(const std::string& address);
// How many times fetchPage has opened the process's internet handle (at
// most once for the whole process).
int internetHandleOpenings();
// 1 when a request for a well-known site's home page got an answer, else 0.
int isInternetReachable();
// Hands address to the shell's "open" verb; an empty address opens nothing.
void openUrl(const std::string& address);
