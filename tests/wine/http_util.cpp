// The tests' HTTP server, built into the Windows tests as well.
#include "e2e/http_util.cpp"
