// Running the machine's own Linux tools from a test under Wine, so that
// files the program wrote are checked by an independent reader.
#pragma once
#include <string>

// The Unix path Wine maps a Windows path to ("" if it cannot).
std::string UnixPathOf(const std::string& windowsPath);

// Runs a /bin/sh command line and returns what it printed (stdout and
// stderr). Wine does not hand a Unix child's output back through a pipe,
// so the shell writes it to a file that appears when the command is done.
std::string RunLinuxCommand(const std::string& shellCommand);

// Quotes a text for /bin/sh.
std::string ShellQuote(const std::string& text);
