#include "app/SingleInstance.h"

#include "ui/Handles.h"

#include <memory>

namespace vtl {

bool RunAsSingleInstance(const std::string& instanceName, const std::string& appMutexName,
                         const std::function<void()>& run) {
    KernelHandle ending; // closed last: while the mutex's name stands, so does the mark
    KernelHandle instance(CreateMutexA(nullptr, TRUE, instanceName.c_str()));
    // An existing mutex is not ours to own; a failed one is treated the same: another runs.
    if (!instance) return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        KernelHandle theirs(OpenEventA(SYNCHRONIZE, FALSE, (instanceName + "-ending").c_str()));
        if (!theirs || WaitForSingleObject(theirs.Get(), 0) != WAIT_OBJECT_0) return false;
        // Its tray icon alone may take seconds to go. Released, or abandoned: ours now.
        const DWORD got = WaitForSingleObject(instance.Get(), 10000);
        if (got != WAIT_OBJECT_0 && got != WAIT_ABANDONED) return false;
    }
    // The mark may be the ended instance's, still set.
    ending.Reset(CreateEventA(nullptr, TRUE, FALSE, (instanceName + "-ending").c_str()));
    if (ending) ResetEvent(ending.Get());
    // Made before the ownership, so the release comes first and this handle closes after.
    KernelHandle appMutex(CreateMutexA(nullptr, FALSE, appMutexName.c_str()));
    const std::unique_ptr<void, decltype(&ReleaseMutex)> owned(instance.Get(), &ReleaseMutex);
    run();
    return true;
}

void InstanceEnding(const std::string& instanceName) {
    KernelHandle ending(OpenEventA(EVENT_MODIFY_STATE, FALSE, (instanceName + "-ending").c_str()));
    if (ending) SetEvent(ending.Get());
}

} // namespace vtl
