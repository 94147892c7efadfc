#include "platform/qt/ModuleHttpGet.h"

#include <QLibrary>
#include <QTimer>

namespace kelvane::platform {

ModuleHttpGet::ModuleHttpGet(std::string moduleFile, DebugOutput& debug)
    : m_moduleFile(std::move(moduleFile)), m_debug(debug)
{}

ModuleHttpGet::~ModuleHttpGet() = default;

void ModuleHttpGet::Get(const std::string& address, size_t maxBodyBytes, std::function<void(const HttpResponse&)> done)
{
    if (!m_client) {
        // Never unloaded: a QLibrary going out of scope leaves the module in place.
        QLibrary module(QString::fromStdString(m_moduleFile));
        using Maker = HttpGet* (*)();
        if (const auto make = reinterpret_cast<Maker>(module.resolve(HttpModuleMaker))) {
            m_client.reset(make());
        } else {
            m_debug.Write("The network module cannot be loaded: " + module.errorString().toStdString());
        }
    }
    if (m_client) {
        m_client->Get(address, maxBodyBytes, std::move(done));
        return;
    }
    QTimer::singleShot(0, [done = std::move(done)] { done(HttpResponse{}); });
}

} // namespace kelvane::platform
