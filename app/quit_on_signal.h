#pragma once
// Ends the event loop cleanly on SIGINT and SIGTERM (Ctrl+C, a service manager's stop), so that
// a headless program closes its clients' sockets on the way out.

void QuitOnTerminationSignals();
