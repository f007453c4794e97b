#pragma once

#include <string>

// Tests whether files can be created beside the setup program: creates a
// probe file of its own named setupPath + "test" (or "test1", "test2", ...
// where that name is taken), writes "test " and a line end, reads that back
// and removes the file again. Returns true when the folder is protected,
// false when the probe file was created and read back. A file that the probe
// did not create is never opened for writing or removed.
bool probeWriteAccess(std::string setupPath);
