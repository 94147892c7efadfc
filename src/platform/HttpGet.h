#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace kelvane::platform {

// The answer to one GET request.
struct HttpResponse
{
    enum class Outcome
    {
        Answered,     // the server answered; StatusCode and Body hold its answer
        Failed,       // no answer: no network, name not found, refused, certificate refused, time-out
        BodyTooLarge, // the server answered with more than the caller's limit; the rest was not read
    };

    Outcome Result = Outcome::Failed;
    int StatusCode = 0;
    // The body as UTF-8, converted from the character set that the response names.
    std::string Body;
};

// An HTTP(S) client. Requests run in the background so that the caller's thread never waits for the
// network; the answer comes back on the thread that asked.
class HttpGet
{
public:
    virtual ~HttpGet() = default;

    // Starts a GET request with the client's default settings and no extra headers. `done` is called
    // exactly once, later, never from inside this call. A body longer than `maxBodyBytes` is not read
    // to its end: the request is cut off and answered as BodyTooLarge.
    virtual void Get(const std::string& address, size_t maxBodyBytes,
                     std::function<void(const HttpResponse&)> done) = 0;
};

} // namespace kelvane::platform
