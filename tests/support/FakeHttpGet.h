#pragma once

#include "platform/HttpGet.h"

#include <string>
#include <utility>
#include <vector>

namespace kelvane::test {

// Requests are kept until the test answers them, so that a test decides when the answer arrives.
class FakeHttpGet final : public platform::HttpGet
{
public:
    struct Request
    {
        std::string Address;
        size_t MaxBodyBytes = 0;
        std::function<void(const platform::HttpResponse&)> Done;
    };

    void Get(const std::string& address, size_t maxBodyBytes,
             std::function<void(const platform::HttpResponse&)> done) override
    {
        requests.push_back({address, maxBodyBytes, std::move(done)});
    }

    // Answers the oldest open request.
    void Answer(const platform::HttpResponse& response)
    {
        Request request = std::move(requests.at(answered++));
        request.Done(response);
    }
    void Answer(int status, std::string body)
    {
        Answer({platform::HttpResponse::Outcome::Answered, status, std::move(body)});
    }
    size_t Open() const { return requests.size() - answered; }

    std::vector<Request> requests;
    size_t answered = 0;
};

} // namespace kelvane::test
