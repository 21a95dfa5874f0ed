#pragma once
// A seam for tests in the file layer: a test arms a failure for the next step of one kind
// (writing, flushing, renaming, copying, making a folder, deleting), and the step then
// fails with that error as the disk would have made it fail. Every whole-file write
// (DiskFile) and every step of the utility library (FsEntry) asks here first, so a write
// added anywhere through them is covered without further work.
//
// Unarmed, the check is one relaxed atomic load.

#include <atomic>

namespace FileFaults {

enum class Operation {
    Write,  // putting bytes into a file (whole-file writes, copies, creating an empty file)
    Flush,  // forcing a new file's bytes to the disk
    Rename, // replacing a file by its new version, or renaming an entry
    Copy,   // copying a file
    MakeFolder,
    Delete, // deleting a file or an empty folder
};
inline constexpr int OperationCount = 6;

// The next step of this kind fails with `error` (an errno value such as ENOSPC, EACCES,
// EIO). `after` steps of the kind succeed first. Arming again replaces the earlier one.
void failNext(Operation op, int error, int after = 0);
// Forgets every armed failure.
void clear();
// True while an armed failure has not happened yet.
bool pending();

namespace Detail {
extern std::atomic<int> armedCount;
int take(Operation op);
} // namespace Detail

// 0 when the step may go on, else the errno it must fail with (and errno is set to it).
inline int check(Operation op)
{
    if (Detail::armedCount.load(std::memory_order_relaxed) == 0) [[likely]]
        return 0;
    return Detail::take(op);
}

// Arms a failure for the life of a scope, and clears every armed failure on leaving it.
class Scope
{
public:
    Scope(Operation op, int error, int after = 0) { failNext(op, error, after); }
    ~Scope() { clear(); }
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;
};

} // namespace FileFaults
