#pragma once
// The threads that read the statistics database beside the windows' own,
// and the setting of the process's memory that their reads need.
class QThreadPool;

namespace db {

// The most threads either set runs at once.
inline constexpr int ReaderThreadCount = 8;

// Kept for the life of the process, not made per read: every thread new to
// the allocator gets memory of its own, which it keeps after the thread is
// gone. Two sets, because a view read ahead waits for the parts of its own
// read: parts queued behind the views that wait for them would never run.
class ReaderThreads {
public:
    static ReaderThreads& instance();
    // Whole views read ahead, each on a connection of its own.
    QThreadPool& views() { return *views_; }
    // The parts of one read.
    QThreadPool& parts() { return *parts_; }

private:
    ReaderThreads();
    QThreadPool* views_;
    QThreadPool* parts_;
};

// Called first thing where a program starts (the program, each bench and
// test program), before any database is read.
void prepareMemoryForReaders();

}  // namespace db
