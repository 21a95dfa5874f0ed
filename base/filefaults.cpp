#include "base/filefaults.h"

#include <cerrno>
#include <mutex>

namespace FileFaults {

namespace {

struct Armed {
    int error = 0; // 0: not armed
    int after = 0;
};

std::mutex lock;
Armed armed[OperationCount];

} // namespace

namespace Detail {

std::atomic<int> armedCount{0};

int take(Operation op)
{
    std::lock_guard<std::mutex> guard(lock);
    Armed &a = armed[int(op)];
    if (a.error == 0)
        return 0;
    if (a.after > 0) {
        --a.after;
        return 0;
    }
    const int error = a.error;
    a = Armed();
    armedCount.fetch_sub(1, std::memory_order_relaxed);
    errno = error;
    return error;
}

} // namespace Detail

void failNext(Operation op, int error, int after)
{
    std::lock_guard<std::mutex> guard(lock);
    Armed &a = armed[int(op)];
    if (a.error == 0 && error != 0)
        Detail::armedCount.fetch_add(1, std::memory_order_relaxed);
    else if (a.error != 0 && error == 0)
        Detail::armedCount.fetch_sub(1, std::memory_order_relaxed);
    a = Armed{error, after};
}

bool pending()
{
    return Detail::armedCount.load(std::memory_order_relaxed) > 0;
}

void clear()
{
    std::lock_guard<std::mutex> guard(lock);
    for (Armed &a : armed)
        a = Armed();
    Detail::armedCount.store(0, std::memory_order_relaxed);
}

} // namespace FileFaults
