// Paths of build products as a test program sees them. A Windows test runs
// under Wine, where the Linux file system is drive Z:.
#pragma once

#include <string>

std::string host_path(const std::string& build_path);
