/* A video hook plug-in for the tests: inverts the luma plane, then adds the
   configured amount. Built in variants without some entry points. */
#include "media/targets/FrameHookPlugin.h"
#include "TestHook.h"

#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

static void Invert(void* ctx, FrameHookPicture* picture, int pix_fmt, int width, int height, int64_t pts)
{
    TestHookContext* context = ctx;
    int add = context ? context->add : 0;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture->data[0] + (ptrdiff_t)y * picture->linesize[0];
        for (int x = 0; x < width; ++x) row[x] = (uint8_t)(255 - row[x] + add);
    }
    if (context) {
        context->lastPixFmt = pix_fmt;
        context->lastWidth = width;
        context->lastHeight = height;
        context->lastPts = pts;
    }
}

#ifndef TEST_HOOK_NO_PROCESS
EXPORT void Process(void* ctx, FrameHookPicture* picture, int pix_fmt, int width, int height, int64_t pts)
{
    Invert(ctx, picture, pix_fmt, width, height, pts);
}
#endif

#ifndef TEST_HOOK_NO_CONFIGURE
static int configured;

EXPORT int Configure(void** ctxp, int argc, char* argv[])
{
    TestHookContext* context = calloc(1, sizeof *context);
    if (!context) return -1;
    context->serial = ++configured;
    context->argc = argc;
    for (int i = 0; i < argc && i < TEST_HOOK_MAX_ARGS; ++i) {
        snprintf(context->args[i], sizeof context->args[i], "%s", argv[i]);
        if (strcmp(argv[i], "refuse") == 0) {
            free(context);
            return 1;
        }
        sscanf(argv[i], "add=%d", &context->add);
        void* address = NULL;
        if (sscanf(argv[i], "released=%p", &address) == 1) context->released = address;
    }
    *ctxp = context;
    return 0;
}

EXPORT void Release(void* ctx)
{
    TestHookContext* context = ctx;
    if (context->released) ++*context->released;
    free(context);
}
#endif

/* Keeps the unused helper quiet in the variant without Process. */
void* test_hook_invert = (void*)Invert;
