// The single-instance rule: a named mutex, created owned, that the first instance holds for
// its whole run; a later instance ends without a trace, unless the first is already ending.
#pragma once

#include <functional>
#include <string>

namespace vtl {

// Runs run() when this process is the first to create the mutex instanceName, and returns
// true; returns false at once when another instance holds that name or the mutex cannot be
// made, but waits, a few seconds at most, for one that is ending (InstanceEnding) and then
// runs. During run() the process owns that mutex and holds appMutexName open (installers look
// for it); ownership is released when run() ends, also when it ends by an exception, which
// then goes on to the caller.
bool RunAsSingleInstance(const std::string& instanceName, const std::string& appMutexName,
                         const std::function<void()>& run);
// Tells later starts that the instance running under this name has begun to end.
void InstanceEnding(const std::string& instanceName);

} // namespace vtl
