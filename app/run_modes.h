#pragma once
// The two ways the program runs.

#include <optional>

#include "options.h"
#include "saved_setup.h"

// The exit status of a start that cannot go on: a bad command line, an unknown model, a port in
// use.
inline constexpr int kBadStartExitCode = 2;

// The window, with the server too when asked for; `setup` (checked) is restored once start-up is
// done.
int RunWindow(const Options& options, const char* programPath,
              const std::optional<SavedSetup>& setup);
// No window and no display: the session on its board link, and the SCPI server.
int RunHeadless(const Options& options, const char* programPath,
                const std::optional<SavedSetup>& setup);
