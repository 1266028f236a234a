// Callbacks kept by the id they were added under, called in that order.
#pragma once

#include <map>
#include <utility>

namespace vtl {

template <class Callback> class TCallbackList {
  public:
    int Add(Callback callback) {
        callbacks_.emplace(nextId_, std::move(callback));
        return nextId_++;
    }
    void Remove(int id) { callbacks_.erase(id); }
    bool Empty() const { return callbacks_.empty(); }

    // Gives each callback to `call` until one call returns true; says whether one did. A
    // callback may add or remove callbacks, itself included, while it runs.
    template <class Call> bool Any(Call call) {
        for (auto it = callbacks_.begin(); it != callbacks_.end();) {
            const int id = it->first;
            Callback callback = it->second; // outlives its own removal
            if (call(callback)) return true;
            it = callbacks_.upper_bound(id);
        }
        return false;
    }
    // Gives each callback to `call`, as Any with a call that never takes one.
    template <class Call> void ForEach(Call call) {
        Any([&](const Callback& callback) {
            call(callback);
            return false;
        });
    }

  private:
    std::map<int, Callback> callbacks_;
    int nextId_ = 1;
};

} // namespace vtl
