#pragma once

#include <QByteArray>
#include <cstdio>
#include <sys/types.h>

// The system calls a save makes, one by one, so that a test can make any of them fail.
// Each answers as the call it stands for: nullptr, -1 or a short count on failure, with
// errno set. This class is the real thing; a test derives from it.
class FileWrites {
public:
    virtual ~FileWrites() = default;
    // open(2) with these flags and mode, as a buffered stream.
    virtual std::FILE* open(const QByteArray& path, int flags, mode_t mode);
    virtual std::size_t write(std::FILE* file, const char* data, std::size_t size);
    // Hands the stream's buffer to the system.
    virtual int flush(std::FILE* file);
    // Asks the system to put the file's content on the disk.
    virtual int sync(std::FILE* file);
    virtual int close(std::FILE* file);
    virtual int rename(const QByteArray& from, const QByteArray& to);
    // Makes a rename in the folder last: the folder's own entry reaches the disk.
    virtual int syncFolder(const QByteArray& folder);
};

// The real calls; holds no state.
FileWrites& systemFileWrites();
