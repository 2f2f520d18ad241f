// Ctrl-C and SIGTERM during a batch: the first one only asks the workers to
// take no new file, so the files being written are finished and no temporary
// is left behind; a second one ends the process at once.
#pragma once

class CInterruptWatch {
  public:
    CInterruptWatch();  // catches SIGINT and SIGTERM
    ~CInterruptWatch(); // puts the previous handlers back
    CInterruptWatch(const CInterruptWatch&) = delete;
    CInterruptWatch& operator=(const CInterruptWatch&) = delete;

    // The signal that arrived since construction, or 0.
    static int Signal();
};
