/* Ends a Qt program the moment it maps its first top-level window, so that a profiler records its
 * start-up and nothing after it. Build and use (see README.md):
 *
 *   cc -shared -fPIC -O2 -o /tmp/exit_on_map.so bench/exit_on_map.c -ldl
 *   LD_PRELOAD=/tmp/exit_on_map.so perf record -g -- build/ci/bin/kelvane
 *
 * Child windows (a native child is mapped before its window) are told apart by the parent each window
 * was created with. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <unistd.h>

typedef struct
{
    unsigned int sequence;
} cookie;

enum
{
    kWindows = 4096
};
static uint32_t created[kWindows];
static uint32_t parents[kWindows];
static int count;

cookie xcb_create_window(void* connection, uint8_t depth, uint32_t window, uint32_t parent, int16_t x, int16_t y,
                         uint16_t width, uint16_t height, uint16_t border, uint16_t windowClass, uint32_t visual,
                         uint32_t mask, const void* values)
{
    typedef cookie (*create_fn)(void*, uint8_t, uint32_t, uint32_t, int16_t, int16_t, uint16_t, uint16_t, uint16_t,
                                uint16_t, uint32_t, uint32_t, const void*);
    const create_fn create = (create_fn)dlsym(RTLD_NEXT, "xcb_create_window");
    if (count < kWindows) {
        created[count] = window;
        parents[count++] = parent;
    }
    return create(connection, depth, window, parent, x, y, width, height, border, windowClass, visual, mask, values);
}

cookie xcb_map_window(void* connection, uint32_t window)
{
    typedef cookie (*map_fn)(void*, uint32_t);
    typedef int (*flush_fn)(void*);
    const cookie mapped = ((map_fn)dlsym(RTLD_NEXT, "xcb_map_window"))(connection, window);
    uint32_t parent = 0;
    for (int i = 0; i < count; ++i) {
        if (created[i] == window) {
            parent = parents[i];
        }
    }
    for (int i = 0; i < count; ++i) {
        if (created[i] == parent) {
            return mapped; /* a child window */
        }
    }
    ((flush_fn)dlsym(RTLD_NEXT, "xcb_flush"))(connection);
    _exit(0);
}
