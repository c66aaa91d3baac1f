#ifndef TOVREL_TEST_HOOK_H
#define TOVREL_TEST_HOOK_H
/* The test plug-in's context, read by the tests through the chain entry. */
#include <stdint.h>

#define TEST_HOOK_MAX_ARGS 8

typedef struct TestHookContext {
    int serial; /* 1 for the module's first Configure, 2 for the next ... */
    int argc;
    char args[TEST_HOOK_MAX_ARGS][256];
    int add;       /* "add=N": added to every luma sample after inverting */
    int* released; /* "released=<address>": counted up by Release */
    int lastPixFmt, lastWidth, lastHeight;
    int64_t lastPts;
} TestHookContext;

#endif
