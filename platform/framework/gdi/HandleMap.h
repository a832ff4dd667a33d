// Which framework object stands for a handle: the permanent owner when one is attached,
// otherwise a temporary wrapper kept by the map (never deleting the handle). Temporaries of
// handles that no longer exist are dropped whenever a new temporary is made, so the map
// stays as small as the set of live handles met.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>

#include <windows.h>

namespace zorva::framework {

template <typename Handle, typename Object>
class HandleMap {
 public:
  using Make = std::function<std::unique_ptr<Object>(Handle)>;
  using Alive = std::function<bool(Handle)>;

  explicit HandleMap(Alive alive) : alive_(std::move(alive)) {}

  void attach(Handle h, Object* owner) {
    permanent_[h] = owner;
    dropTemporary(h);
  }
  void detach(Handle h, Object* owner) {
    auto found = permanent_.find(h);
    if (found != permanent_.end() && found->second == owner) permanent_.erase(found);
  }
  Object* lookup(Handle h, const Make& make) {
    if (h == nullptr) return nullptr;
    if (auto found = permanent_.find(h); found != permanent_.end()) return found->second;
    if (auto found = temporary_.find(h); found != temporary_.end()) return found->second.get();
    if (!alive_(h)) return nullptr;
    sweep();
    std::unique_ptr<Object> wrapper = make(h);
    if (!wrapper) return nullptr;
    Object* raw = wrapper.get();
    // The wrapper holds the handle without going through the permanent map.
    setHandle(*raw, h);
    temporary_.emplace(h, std::move(wrapper));
    return raw;
  }
  std::function<void(Object&, Handle)> setHandle;

 private:
  void dropTemporary(Handle h) {
    auto found = temporary_.find(h);
    if (found == temporary_.end()) return;
    setHandle(*found->second, nullptr);
    temporary_.erase(found);
  }
  void sweep() {
    for (auto it = temporary_.begin(); it != temporary_.end();) {
      if (alive_(it->first)) {
        ++it;
      } else {
        setHandle(*it->second, nullptr);
        it = temporary_.erase(it);
      }
    }
  }

  Alive alive_;
  std::unordered_map<Handle, Object*> permanent_;
  std::unordered_map<Handle, std::unique_ptr<Object>> temporary_;
};

}  // namespace zorva::framework

class CGdiObject;
class CDC;

namespace zorva::framework {
// The framework's two maps; made once and never destroyed, so objects that outlive static
// destruction order can still detach.
HandleMap<HGDIOBJ, CGdiObject>& gdiHandles();
HandleMap<HDC, CDC>& dcHandles();
}  // namespace zorva::framework
