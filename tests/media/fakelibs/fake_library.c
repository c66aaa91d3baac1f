/* A stand-in for one media library: exports the names of one entry list (one
 * of them may be renamed away by a -D<name>=omitted_<name> definition), a
 * version function reporting FAKE_MAJOR, and one data symbol. */
#include "media/loader/FFmpegLoaderNames.h"

#include <libavutil/version.h>
#include <libswscale/version.h>

#define FAKE_ENTRY(name) void name(void) {}
FAKE_ENTRIES(FAKE_ENTRY)

unsigned FAKE_VERSION_FN(void) { return (unsigned)(FAKE_MAJOR) << 16 | 1u << 8; }

int fake_variable = 42;
