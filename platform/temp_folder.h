// The process's private temporary folder: created on first use with
// owner-only permissions under $TMPDIR (or /tmp), removed when the process
// ends normally. Nothing of ours ever uses fixed names in a shared folder.
#pragma once

#include <string>

namespace vantrel {

// Engine path of the folder; empty when it cannot be created.
const std::string& PrivateTempFolder();

// A new, unused file name inside the private folder, e.g. "license-3.txt".
std::string PrivateTempPath(const std::string& stem, const std::string& extension);

}  // namespace vantrel
