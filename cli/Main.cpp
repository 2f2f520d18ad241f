#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "cli/Cli.h"

int main(int argc, char** argv) {
    return RunCli(argc, argv, std::cout, std::cerr, isatty(fileno(stderr)) != 0);
}
