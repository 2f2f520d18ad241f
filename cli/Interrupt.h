// Ctrl-C and SIGTERM during a batch: the first one only asks the workers to
// take no new file, so the files being written are finished and no temporary
// is left behind; a second one ends the process at once.
#pragma once

class InterruptWatch {
  public:
    InterruptWatch();  // catches SIGINT and SIGTERM
    ~InterruptWatch(); // puts the previous handlers back
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // The signal that arrived since construction, or 0.
    static int Signal();
};
