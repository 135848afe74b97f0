#include "StopSignals.hpp"

#include <csignal>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t g_stopSignal = 0;

void noteStop(int signal)
{
    if (g_stopSignal == 0)
        g_stopSignal = signal;
}
}

void catchStopSignals()
{
    struct sigaction action {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    // Interrupted calls carry on: the loops that wait look at the note often enough.
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

int stopSignal()
{
    return g_stopSignal;
}

const char* stopSignalName(int signal)
{
    switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    default: return "a signal";
    }
}
