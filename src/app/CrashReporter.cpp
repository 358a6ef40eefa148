#include "app/CrashReporter.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxFrames = 64;
constexpr std::size_t kPathCapacity = 4096;
constexpr std::size_t kVersionCapacity = 64;

struct FatalSignal
{
    int number;
    const char* name;
};

constexpr FatalSignal kSignals[] = {
    {SIGSEGV, "SIGSEGV"}, {SIGABRT, "SIGABRT"}, {SIGBUS, "SIGBUS"},
    {SIGFPE, "SIGFPE"},   {SIGILL, "SIGILL"},
};

// Filled in by install(); the handler must not allocate.
char g_folder[kPathCapacity];
char g_version[kVersionCapacity];
volatile sig_atomic_t g_handling = 0;

void writeText(int fd, const char* text)
{
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t written = ::write(fd, text, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text += written;
        left -= static_cast<std::size_t>(written);
    }
}

// Digits without printf, which is not safe in a signal handler.
void formatNumber(unsigned long long value, unsigned base, char* out, std::size_t capacity)
{
    char digits[32];
    std::size_t count = 0;
    do {
        const unsigned digit = static_cast<unsigned>(value % base);
        digits[count++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
        value /= base;
    } while (value > 0 && count < sizeof digits);
    std::size_t i = 0;
    while (count > 0 && i + 1 < capacity)
        out[i++] = digits[--count];
    out[i] = '\0';
}

void writeNumber(int fd, unsigned long long value, unsigned base = 10)
{
    char text[32];
    formatNumber(value, base, text, sizeof text);
    writeText(fd, text);
}

void append(char* buffer, std::size_t capacity, const char* text)
{
    const std::size_t used = std::strlen(buffer);
    std::size_t i = 0;
    while (text[i] != '\0' && used + i + 1 < capacity) {
        buffer[used + i] = text[i];
        ++i;
    }
    buffer[used + i] = '\0';
}

// mkdir -p; the state folder itself may not exist on a fresh account.
void makeFolders(char* path)
{
    for (char* slash = std::strchr(path + 1, '/'); slash; slash = std::strchr(slash + 1, '/')) {
        *slash = '\0';
        ::mkdir(path, 0700);
        *slash = '/';
    }
    ::mkdir(path, 0700);
}

const char* signalName(int number)
{
    for (const FatalSignal& fatal : kSignals) {
        if (fatal.number == number)
            return fatal.name;
    }
    return "unknown signal";
}

void writeReport(int fd, int number, const siginfo_t* info)
{
    writeText(fd, "Velmoran crash report\nVersion: ");
    writeText(fd, g_version);
    writeText(fd, "\nSignal: ");
    writeText(fd, signalName(number));
    writeText(fd, " (");
    writeNumber(fd, static_cast<unsigned>(number));
    writeText(fd, ")\nProcess: ");
    writeNumber(fd, static_cast<unsigned long long>(::getpid()));
    writeText(fd, "\nTime: ");
    writeNumber(fd, static_cast<unsigned long long>(::time(nullptr)));
    writeText(fd, " (seconds since 1970-01-01 UTC)\n");
    // Only a fault the kernel raised has an address; a signal sent by kill() does not.
    if (info && info->si_code > 0 && number != SIGABRT) {
        writeText(fd, "Address: 0x");
        writeNumber(fd, reinterpret_cast<unsigned long long>(info->si_addr), 16);
        writeText(fd, "\n");
    }
    writeText(fd, "Backtrace:\n");
    void* frames[kMaxFrames];
    const int count = ::backtrace(frames, kMaxFrames);
    ::backtrace_symbols_fd(frames, count, fd);
}

void handleFatalSignal(int number, siginfo_t* info, void*)
{
    if (g_handling == 0) {
        g_handling = 1;
        const int savedErrno = errno;
        char path[kPathCapacity];
        path[0] = '\0';
        append(path, sizeof path, g_folder);
        makeFolders(path);
        char name[64];
        formatNumber(static_cast<unsigned long long>(::time(nullptr)), 10, name, sizeof name);
        append(path, sizeof path, "/crash-");
        append(path, sizeof path, name);
        append(path, sizeof path, "-");
        formatNumber(static_cast<unsigned long long>(::getpid()), 10, name, sizeof name);
        append(path, sizeof path, name);
        append(path, sizeof path, ".txt");
        const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            writeReport(fd, number, info);
            ::close(fd);
            writeText(STDERR_FILENO, "velmoran: crashed; report written to ");
            writeText(STDERR_FILENO, path);
            writeText(STDERR_FILENO, "\n");
        }
        errno = savedErrno;
    }
    // Die of the same signal: the default action runs once this handler returns.
    ::signal(number, SIG_DFL);
    ::raise(number);
}

std::string stateFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    // A relative value is invalid and to be ignored.
    if (state && state[0] == '/')
        return state;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/state";
    return {};
}

} // namespace

namespace CrashReporter {

bool install(const char* version)
{
    std::strncpy(g_version, version ? version : "", sizeof g_version - 1);
    const std::string folder = stateFolder();
    if (folder.empty() || folder.size() + 64 >= kPathCapacity)
        return false;
    std::strncpy(g_folder, (folder + "/velmoran/crashes").c_str(), sizeof g_folder - 1);

    // The first backtrace() loads the unwinder, which allocates: do it now, not in the handler.
    void* frame[1];
    ::backtrace(frame, 1);

    // A stack overflow leaves no stack for the handler; give it one of its own.
    static char alternateStack[64 * 1024];
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    ::sigaltstack(&stack, nullptr);

    struct sigaction action
    {};
    action.sa_sigaction = handleFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const FatalSignal& fatal : kSignals)
        ::sigaction(fatal.number, &action, nullptr);
    return true;
}

const char* reportFolder()
{
    return g_folder;
}

} // namespace CrashReporter
