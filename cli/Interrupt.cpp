#include "cli/Interrupt.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> g_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

using Handler = void (*)(int);
Handler g_previousInt = SIG_DFL;
Handler g_previousTerm = SIG_DFL;

extern "C" void OnSignal(int signal) {
    g_signal.store(signal);
    std::signal(signal, SIG_DFL); // a second signal ends the process
}

} // namespace

InterruptWatch::InterruptWatch() {
    g_signal.store(0);
    g_previousInt = std::signal(SIGINT, OnSignal);
    g_previousTerm = std::signal(SIGTERM, OnSignal);
}

InterruptWatch::~InterruptWatch() {
    std::signal(SIGINT, g_previousInt == SIG_ERR ? SIG_DFL : g_previousInt);
    std::signal(SIGTERM, g_previousTerm == SIG_ERR ? SIG_DFL : g_previousTerm);
}

int InterruptWatch::Signal() {
    return g_signal.load();
}
