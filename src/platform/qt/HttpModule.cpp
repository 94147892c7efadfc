// The HTTP client as a module of its own, loaded by ModuleHttpGet on the first request through the
// maker below (named as HttpModuleMaker says).
#include "platform/qt/QtHttpGet.h"

extern "C" __attribute__((visibility("default"))) kelvane::platform::HttpGet* kelvane_make_http_get()
{
    return new kelvane::platform::QtHttpGet();
}
