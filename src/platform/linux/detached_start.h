#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vesperon {

// Starts `program` with `arguments` as a process on its own: in a session of
// its own (no controlling terminal, outside the caller's process group, so
// that a shell neither waits for it nor hands it the terminal's signals),
// with its standard streams on /dev/null, no other descriptor of the caller
// open in it, and the user's home folder as its working folder, as the
// session starts programs. It takes the caller's environment (the dry run
// and the bus addresses go with it). Returns its process id, or -1 when it
// could not be made; one that cannot run the program ends with status 127.
pid_t StartDetached(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace vesperon
