/* Runs a command and writes what it used to a file: "USER_US SYSTEM_US MAXRSS_KB STATUS".
 *
 * The benchmarks start commands through this small program rather than directly: a process
 * started from a large one inherits that one's peak memory at exec (the kernel keeps the
 * larger of the old and the new address space's peaks), and reports it as its own. Started
 * from here, a command's peak is its own. */

#include <errno.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s RESULT-FILE PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const pid_t pid = fork();
    if (pid < 0)
        return 2;
    if (pid == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    struct rusage usage;
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return 2;
    }
    FILE* result = fopen(argv[1], "w");
    if (!result)
        return 2;
    fprintf(result, "%lld %lld %ld %d\n",
            (long long)usage.ru_utime.tv_sec * 1000000 + usage.ru_utime.tv_usec,
            (long long)usage.ru_stime.tv_sec * 1000000 + usage.ru_stime.tv_usec, usage.ru_maxrss,
            WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    fclose(result);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
