/* Preloaded into the batch tool by save_order_test.sh: logs every fsync,
   fdatasync and rename that succeeds, with the paths involved, a line each to
   the file named by IROMAKI_FLUSH_LOG ("fsync PATH", "rename FROM TO"), so
   that the test sees in which order a save flushes and replaces. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

static void Log(const char* what, const char* a, const char* b) {
    const char* name = getenv("IROMAKI_FLUSH_LOG");
    char line[8300];
    const int n = snprintf(line, sizeof line, "%s %s %s\n", what, a, b);
    const int fd = name ? open(name, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    if (fd < 0) return;
    if (write(fd, line, n < (int)sizeof line ? (size_t)n : sizeof line - 1) < 0) {
    }
    close(fd);
}

static int Flushed(const char* what, int fd, int result) {
    char link[64], path[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    path[n > 0 ? n : 0] = '\0';
    if (result == 0) Log(what, path, "");
    return result;
}

int fsync(int fd) {
    int (*real)(int) = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    return Flushed("fsync", fd, real(fd));
}

int fdatasync(int fd) {
    int (*real)(int) = (int (*)(int))dlsym(RTLD_NEXT, "fdatasync");
    return Flushed("fdatasync", fd, real(fd));
}

int rename(const char* from, const char* to) {
    int (*real)(const char*, const char*) =
        (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    const int result = real(from, to);
    if (result == 0) Log("rename", from, to);
    return result;
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    int (*real)(int, const char*, int, const char*) =
        (int (*)(int, const char*, int, const char*))dlsym(RTLD_NEXT, "renameat");
    const int result = real(fromDir, from, toDir, to);
    if (result == 0) Log("rename", from, to);
    return result;
}
