// tandrel-ask: one request from the command line, its answer as the exit
// status.
#pragma once

#include <string>
#include <vector>

// Runs tandrel-ask with the arguments after its name (UTF-8) and returns its
// exit status.
int RunAskTool(const std::vector<std::string>& args);
