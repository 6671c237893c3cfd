#include "platform/database_threads.h"

#include <QThreadPool>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace db {

ReaderThreads::ReaderThreads() : views_(new QThreadPool), parts_(new QThreadPool)
{
    views_->setMaxThreadCount(ReaderThreadCount);
    parts_->setMaxThreadCount(ReaderThreadCount);
}

ReaderThreads& ReaderThreads::instance()
{
    // Never destroyed: a thread may still be ending as the program exits.
    static ReaderThreads* threads = new ReaderThreads;
    return *threads;
}

void prepareMemoryForReaders()
{
#ifdef __GLIBC__
    // A read's columns are large blocks made on one thread and freed on
    // another: each in pages of its own, given back when freed, instead of
    // staying with the thread that made it.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

}  // namespace db
