#include "app/SingleInstance.h"

#include "ui/Handles.h"

namespace vtl {

namespace {

// Releases, at the end of its scope, a mutex that this thread owns.
class MutexOwnership {
  public:
    explicit MutexOwnership(HANDLE mutex) : mutex_(mutex) {}
    ~MutexOwnership() { ReleaseMutex(mutex_); }
    MutexOwnership(const MutexOwnership&) = delete;
    MutexOwnership& operator=(const MutexOwnership&) = delete;

  private:
    HANDLE mutex_;
};

} // namespace

bool RunAsSingleInstance(const std::string& instanceName, const std::string& appMutexName,
                         const std::function<void()>& run) {
    KernelHandle instance(CreateMutexA(nullptr, TRUE, instanceName.c_str()));
    const DWORD error = GetLastError();
    // An existing mutex is not ours to own; a failed one is treated the same: another runs.
    if (!instance || error == ERROR_ALREADY_EXISTS) return false;
    // Declared before the ownership, so the release comes first and this handle closes after.
    KernelHandle appMutex;
    MutexOwnership owned(instance.Get());
    appMutex.Reset(CreateMutexA(nullptr, FALSE, appMutexName.c_str()));
    run();
    return true;
}

} // namespace vtl
