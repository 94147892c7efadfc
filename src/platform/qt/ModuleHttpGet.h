#pragma once

#include "platform/DebugOutput.h"
#include "platform/HttpGet.h"

#include <memory>
#include <string>

namespace kelvane::platform {

// The name of the function a client module exports: it makes a new client with the default settings,
// which the caller then owns.
inline constexpr const char* HttpModuleMaker = "kelvane_make_http_get";

// GET requests through a client loaded from a module file on the first request. Until then the
// network libraries are not loaded at all, so a start that makes no request pays nothing for them. A
// module that cannot be loaded answers each request as failed (later, as every client does) and is
// tried again at the next one; the developer's trace says why.
class ModuleHttpGet final : public HttpGet
{
public:
    ModuleHttpGet(std::string moduleFile, DebugOutput& debug);
    ~ModuleHttpGet() override;

    void Get(const std::string& address, size_t maxBodyBytes, std::function<void(const HttpResponse&)> done) override;

private:
    std::string m_moduleFile;
    DebugOutput& m_debug;
    // Made by the module, which stays loaded for the rest of the run: its code must outlive the client.
    std::unique_ptr<HttpGet> m_client;
};

} // namespace kelvane::platform
