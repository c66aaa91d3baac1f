#include "media/engine/FFmpegTranscoder.h"

#include "media/engine/FFmpegEngineErrors.h"

#include <mutex>

namespace tovrel {

namespace {

std::mutex& FactoryLock()
{
    static std::mutex lock;
    return lock;
}

TTranscoderFactory& DefaultFactory()
{
    static TTranscoderFactory factory;
    return factory;
}

} // namespace

void SetDefaultTranscoderFactory(TTranscoderFactory factory)
{
    std::lock_guard lock(FactoryLock());
    DefaultFactory() = std::move(factory);
}

std::unique_ptr<TTranscoder> CreateDefaultTranscoder()
{
    TTranscoderFactory factory;
    {
        std::lock_guard lock(FactoryLock());
        factory = DefaultFactory();
    }
    if (!factory)
        throw FFmpegException("No transcoder is installed");
    return factory();
}

} // namespace tovrel
