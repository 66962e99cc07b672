#pragma once
// Components: the object tree the program's windows are made of. A component has a name, a tag,
// published properties and an owner that keeps it alive; it owns the components made through it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/properties.h"

namespace quillet::ui {

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  virtual const char* ClassName() const { return "TComponent"; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }
  TComponent* Owner() const { return owner_; }

  int ComponentCount() const { return static_cast<int>(owned_.size()); }
  TComponent* Component(int i) const { return owned_.at(static_cast<size_t>(i)).get(); }
  // Names compare without regard to letter case.
  TComponent* FindComponent(std::string_view name) const;

  // Makes a component owned by this one.
  template <class T, class... Args>
  T& Own(Args&&... args) {
    auto p = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *p;
    owned_.push_back(std::move(p));
    return ref;
  }

  const PropertyTable& Properties() const { return props_; }
  std::optional<PropValue> GetProperty(std::string_view name) const { return props_.Get(name); }
  bool SetProperty(std::string_view name, const std::string& text) { return props_.Set(name, text); }

 protected:
  // Frees the owned components, newest first, so children go before their parents.
  void DestroyComponents();
  PropertyTable props_;

 private:
  TComponent* owner_;
  std::string name_;
  std::intptr_t tag_ = 0;
  std::vector<std::unique_ptr<TComponent>> owned_;
};

}  // namespace quillet::ui
