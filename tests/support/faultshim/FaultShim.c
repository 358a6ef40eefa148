/* An LD_PRELOAD library that makes one chosen file-system call fail, so a test can check what a
 * program leaves on disk when a write, a sync, a rename or a link fails at any point.
 *
 *   VELMORAN_FAULT_PATH=/abs/prefix  only calls on paths under this prefix count (and calls on
 *                                    file descriptors opened under it); unset: nothing counts
 *   VELMORAN_FAULT_AT=k              the k-th counted call fails (1-based); unset or 0: none
 *   VELMORAN_FAULT_ERRNO=ENOSPC      EIO, ENOSPC or EDQUOT (default EIO)
 *   VELMORAN_FAULT_READS=1           read-only opens and read()/pread() count too
 *   VELMORAN_FAULT_REPORT=/abs/file  when the call fails, its name and path are written here
 *
 * Counted: open/openat/creat (for writing, or any with VELMORAN_FAULT_READS) and their 64-bit
 * and fortified variants, write, pwrite, fsync, fdatasync, rename, renameat(2), link, linkat,
 * unlink, unlinkat, mkdir, mkdirat. Only one call ever fails: a program that retries sees the
 * disk working again, as after a transient error. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#define MAX_FDS 65536

static const char* g_prefix;
static size_t g_prefixLength;
static long g_failAt;
static int g_errno = EIO;
static int g_reads;
static const char* g_report;
static long g_count;
static int g_ready;
static unsigned char g_tracked[MAX_FDS];

static void setUp(void)
{
    if (__atomic_load_n(&g_ready, __ATOMIC_ACQUIRE))
        return;
    g_prefix = getenv("VELMORAN_FAULT_PATH");
    g_prefixLength = g_prefix ? strlen(g_prefix) : 0;
    const char* at = getenv("VELMORAN_FAULT_AT");
    g_failAt = at ? atol(at) : 0;
    const char* name = getenv("VELMORAN_FAULT_ERRNO");
    if (name && strcmp(name, "ENOSPC") == 0)
        g_errno = ENOSPC;
    else if (name && strcmp(name, "EDQUOT") == 0)
        g_errno = EDQUOT;
    const char* reads = getenv("VELMORAN_FAULT_READS");
    g_reads = reads && strcmp(reads, "1") == 0;
    g_report = getenv("VELMORAN_FAULT_REPORT");
    __atomic_store_n(&g_ready, 1, __ATOMIC_RELEASE);
}

static void* next(const char* symbol)
{
    return dlsym(RTLD_NEXT, symbol);
}

static int trackedFd(int fd)
{
    return fd >= 0 && fd < MAX_FDS && __atomic_load_n(&g_tracked[fd], __ATOMIC_RELAXED);
}

static void track(int fd, int on)
{
    if (fd >= 0 && fd < MAX_FDS)
        __atomic_store_n(&g_tracked[fd], (unsigned char)on, __ATOMIC_RELAXED);
}

/* Whether `path`, relative to `dirFd`, lies under the prefix. A relative path counts when its
 * folder descriptor was opened under the prefix, or, against the working folder, when that
 * folder is. */
static int underPrefix(int dirFd, const char* path)
{
    if (!g_prefix || !path)
        return 0;
    if (path[0] != '/') {
        if (dirFd != AT_FDCWD)
            return trackedFd(dirFd);
        char cwd[PATH_MAX];
        if (!getcwd(cwd, sizeof cwd))
            return 0;
        return strncmp(cwd, g_prefix, g_prefixLength) == 0;
    }
    return strncmp(path, g_prefix, g_prefixLength) == 0 &&
           (path[g_prefixLength] == '/' || path[g_prefixLength] == '\0' ||
            (g_prefixLength > 0 && g_prefix[g_prefixLength - 1] == '/'));
}

/* Counts one call; true when this is the one to fail (errno is then set). */
static int shouldFail(const char* call, const char* path)
{
    const long count = __atomic_add_fetch(&g_count, 1, __ATOMIC_SEQ_CST);
    if (g_failAt <= 0 || count != g_failAt)
        return 0;
    if (g_report) {
        int (*realOpen)(const char*, int, ...) = next("open");
        const int fd = realOpen(g_report, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd >= 0) {
            char line[PATH_MAX + 64];
            const int n = snprintf(line, sizeof line, "%s %s\n", call, path ? path : "(fd)");
            ssize_t (*realWrite)(int, const void*, size_t) = next("write");
            if (n > 0)
                (void)!realWrite(fd, line, (size_t)n < sizeof line ? (size_t)n : sizeof line - 1);
            int (*realClose)(int) = next("close");
            realClose(fd);
        }
    }
    errno = g_errno;
    return 1;
}

static int opensForWriting(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
}

static int openVia(const char* symbol, int dirFd, const char* path, int flags, mode_t mode)
{
    setUp();
    const int counted = underPrefix(dirFd, path);
    if (counted && (g_reads || opensForWriting(flags)) && shouldFail(symbol, path))
        return -1;
    int fd;
    if (dirFd == AT_FDCWD && strncmp(symbol, "openat", 6) != 0) {
        int (*real)(const char*, int, ...) = next(symbol);
        fd = real(path, flags, mode);
    } else {
        int (*real)(int, const char*, int, ...) = next(symbol);
        fd = real(dirFd, path, flags, mode);
    }
    if (fd >= 0)
        track(fd, counted);
    return fd;
}

/* open() and its kin take a mode only when they create. */
#define WRAP_OPEN(name, parameters, dirFd)                                                         \
    int name parameters                                                                            \
    {                                                                                              \
        va_list arguments;                                                                         \
        va_start(arguments, flags);                                                                \
        const mode_t mode =                                                                        \
            (flags & (O_CREAT | __O_TMPFILE)) ? (mode_t)va_arg(arguments, int) : 0;                \
        va_end(arguments);                                                                         \
        return openVia(#name, dirFd, path, flags, mode);                                           \
    }

WRAP_OPEN(open, (const char* path, int flags, ...), AT_FDCWD)
WRAP_OPEN(open64, (const char* path, int flags, ...), AT_FDCWD)
WRAP_OPEN(openat, (int dirFd, const char* path, int flags, ...), dirFd)
WRAP_OPEN(openat64, (int dirFd, const char* path, int flags, ...), dirFd)

int __open_2(const char* path, int flags)
{
    return openVia("open", AT_FDCWD, path, flags, 0);
}

int __open64_2(const char* path, int flags)
{
    return openVia("open64", AT_FDCWD, path, flags, 0);
}

int __openat_2(int dirFd, const char* path, int flags)
{
    return openVia("openat", dirFd, path, flags, 0);
}

int __openat64_2(int dirFd, const char* path, int flags)
{
    return openVia("openat64", dirFd, path, flags, 0);
}

int creat(const char* path, mode_t mode)
{
    return openVia("open", AT_FDCWD, path, O_CREAT | O_WRONLY | O_TRUNC, mode);
}

int creat64(const char* path, mode_t mode)
{
    return openVia("open64", AT_FDCWD, path, O_CREAT | O_WRONLY | O_TRUNC, mode);
}

int close(int fd)
{
    track(fd, 0);
    int (*real)(int) = next("close");
    return real(fd);
}

/* Every other call: counted when `counted`, failed when it is the chosen one, or else handed on
 * to the C library. */
#define WRAP(type, name, parameters, arguments, counted, path)                                     \
    type name parameters                                                                           \
    {                                                                                              \
        setUp();                                                                                   \
        if ((counted) && shouldFail(#name, path))                                                  \
            return -1;                                                                             \
        type(*real) parameters = next(#name);                                                      \
        return real arguments;                                                                     \
    }
#define WRAP_FD(type, name, parameters, arguments)                                                 \
    WRAP(type, name, parameters, arguments, trackedFd(fd), NULL)
#define WRAP_PATH(name, parameters, arguments, dirFd)                                              \
    WRAP(int, name, parameters, arguments, underPrefix(dirFd, path), path)
#define WRAP_TWO_PATHS(name, parameters, arguments, fromDir, toDir)                                \
    WRAP(int, name, parameters, arguments, underPrefix(fromDir, from) || underPrefix(toDir, to), to)

WRAP_FD(ssize_t, write, (int fd, const void* buffer, size_t size), (fd, buffer, size))
WRAP_FD(ssize_t, pwrite, (int fd, const void* buffer, size_t size, off_t offset),
        (fd, buffer, size, offset))
WRAP_FD(ssize_t, pwrite64, (int fd, const void* buffer, size_t size, off_t offset),
        (fd, buffer, size, offset))
WRAP(ssize_t, read, (int fd, void* buffer, size_t size), (fd, buffer, size),
     (g_reads && trackedFd(fd)), NULL)
WRAP_FD(int, fsync, (int fd), (fd))
WRAP_FD(int, fdatasync, (int fd), (fd))
WRAP_TWO_PATHS(rename, (const char* from, const char* to), (from, to), AT_FDCWD, AT_FDCWD)
WRAP_TWO_PATHS(renameat, (int fromDir, const char* from, int toDir, const char* to),
               (fromDir, from, toDir, to), fromDir, toDir)
WRAP_TWO_PATHS(renameat2,
               (int fromDir, const char* from, int toDir, const char* to, unsigned int flags),
               (fromDir, from, toDir, to, flags), fromDir, toDir)
WRAP_TWO_PATHS(link, (const char* from, const char* to), (from, to), AT_FDCWD, AT_FDCWD)
WRAP_TWO_PATHS(linkat, (int fromDir, const char* from, int toDir, const char* to, int flags),
               (fromDir, from, toDir, to, flags), fromDir, toDir)
WRAP_PATH(unlink, (const char* path), (path), AT_FDCWD)
WRAP_PATH(unlinkat, (int dirFd, const char* path, int flags), (dirFd, path, flags), dirFd)
WRAP_PATH(mkdir, (const char* path, mode_t mode), (path, mode), AT_FDCWD)
WRAP_PATH(mkdirat, (int dirFd, const char* path, mode_t mode), (dirFd, path, mode), dirFd)
