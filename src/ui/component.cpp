#include "ui/component.h"

#include "base/text.h"

namespace quillet::ui {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  props_.Publish("Name", [this] { return PropValue::OfText(name_); },
                 [this](const std::string& t) { name_ = t; return true; });
  props_.Publish("Tag", [this] { return PropValue::OfInt(tag_); }, [this](const std::string& t) {
    auto v = ParseInt(t);
    if (v) tag_ = static_cast<std::intptr_t>(*v);
    return v.has_value();
  });
}

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  while (!owned_.empty()) {
    auto last = std::move(owned_.back());
    owned_.pop_back();
    last.reset();
  }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  for (const auto& c : owned_)
    if (base::EqualNoCase(c->Name(), name)) return c.get();
  return nullptr;
}

}  // namespace quillet::ui
