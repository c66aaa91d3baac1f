#pragma once
// A TThread whose body is a function, so tests state what each worker does inline.
#include "platform/rtl/Thread.h"

#include <functional>
#include <memory>

namespace tovrel::test {

class LambdaThread : public TThread {
public:
    explicit LambdaThread(std::function<void(LambdaThread&)> body, bool createSuspended = false)
        : TThread(createSuspended), body_(std::move(body))
    {}
    ~LambdaThread() override
    {
        if (ThreadID() != 0 && !FreeOnTerminate)
            TerminateAndWait(); // before body_ goes
    }
    void SetReturnValue(int value) { ReturnValue = value; }

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(LambdaThread&)> body_;
};

// Starts a joinable worker (owned by the caller).
inline std::unique_ptr<LambdaThread> StartWorker(std::function<void(LambdaThread&)> body)
{
    auto worker = std::make_unique<LambdaThread>(std::move(body), true);
    worker->Start();
    return worker;
}

} // namespace tovrel::test
