#pragma once

namespace core {

// The program was asked from outside to end (SIGTERM, SIGHUP, SIGINT). Both functions are async-signal-safe,
// so a signal handler sets the request and a long blocking job (a render) polls it. The first request wins.
void requestTermination(int signalNumber) noexcept;
// The signal that asked the program to end; 0 while none did.
int terminationSignal() noexcept;

} // namespace core
