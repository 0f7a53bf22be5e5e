#pragma once
// The child side of the start-up benchmarks: a process that builds one window, shows it, and
// exits as soon as its first frame has been painted, printing when that happened.

#include <chrono>
#include <string_view>

enum class StartupKind {
  MainWindow,  // the program's window, the model chosen at once in the part chooser
  BareWindow,  // a QMainWindow holding a QTabWidget of four empty tabs
};

// The arguments that make a start-up benchmark run as a child: <flag> <kind name>.
inline constexpr std::string_view kStartupChildFlag = "--startup-child";
std::string_view StartupKindName(StartupKind kind);

// When argv asks for a child run, runs it and returns true with the process exit code in
// `exitCode`. `entry` is the time main was entered. The child prints one line on standard output:
// "<frame> <entry>", both steady-clock times in nanoseconds.
bool RunStartupChildIfAsked(int argc, char* argv[], std::chrono::steady_clock::time_point entry,
                            int& exitCode);
