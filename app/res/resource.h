// Resource identifiers of vornel.rc.
#pragma once

#define IDR_MANIFEST 1
