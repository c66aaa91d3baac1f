#ifndef TOVREL_FRAME_HOOK_PLUGIN_H
#define TOVREL_FRAME_HOOK_PLUGIN_H
/* The binary interface between the engine and video hook plug-ins. It is plain
   C so a plug-in builds against this header alone; the picture keeps the
   layout plug-ins were written for (four planes, four line sizes), which the
   media libraries no longer define. */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FrameHookPicture {
    uint8_t* data[4];
    int linesize[4];
} FrameHookPicture;

/* "Configure": argv[0] is the plug-in's file name; 0 means success. */
typedef int (*FrameHookConfigureFn)(void** ctxp, int argc, char* argv[]);
/* "Process": changes the picture in place; pts is in microseconds. */
typedef void (*FrameHookProcessFn)(void* ctx, FrameHookPicture* picture, int pix_fmt, int width, int height,
                                   int64_t pts);
/* "Release": frees what Configure made. */
typedef void (*FrameHookReleaseFn)(void* ctx);

#ifdef __cplusplus
}
#endif

#endif
