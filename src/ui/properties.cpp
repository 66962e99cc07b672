#include "ui/properties.h"

#include <charconv>

#include "base/text.h"

namespace quillet::ui {

using base::EqualNoCase;

std::string PropValue::AsText() const {
  switch (kind) {
    case PropKind::Text:
    case PropKind::Enumeration:
      return text;
    case PropKind::Boolean:
      return number ? "True" : "False";
    case PropKind::Integer:
    case PropKind::Handle:
      break;
  }
  return std::to_string(number);
}

void PropertyTable::Publish(std::string name, Getter get, Setter set) {
  for (auto& e : entries_) {
    if (EqualNoCase(e.name, name)) {
      e = {std::move(name), std::move(get), std::move(set)};
      return;
    }
  }
  entries_.push_back({std::move(name), std::move(get), std::move(set)});
}

const PropertyTable::Entry* PropertyTable::Find(std::string_view name) const {
  for (const auto& e : entries_)
    if (EqualNoCase(e.name, name)) return &e;
  return nullptr;
}

bool PropertyTable::Has(std::string_view name) const { return Find(name) != nullptr; }

std::optional<PropValue> PropertyTable::Get(std::string_view name) const {
  const Entry* e = Find(name);
  if (!e || !e->get) return std::nullopt;
  return e->get();
}

bool PropertyTable::Set(std::string_view name, const std::string& text) const {
  const Entry* e = Find(name);
  if (!e || !e->set) return false;
  return e->set(text);
}

std::vector<std::string> PropertyTable::Names() const {
  std::vector<std::string> names;
  for (const auto& e : entries_) names.push_back(e.name);
  return names;
}

std::optional<bool> ParseBool(const std::string& text) {
  if (EqualNoCase(text, "true")) return true;
  if (EqualNoCase(text, "false")) return false;
  return std::nullopt;
}

std::optional<std::int64_t> ParseInt(const std::string& text) {
  std::int64_t v = 0;
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || p != end || text.empty()) return std::nullopt;
  return v;
}

void PublishFlag(PropertyTable& props, std::string name, const bool& flag, std::function<void(bool)> set) {
  PropertyTable::Setter setter;
  if (set)
    setter = [set = std::move(set)](const std::string& t) {
      const auto b = ParseBool(t);
      if (b) set(*b);
      return b.has_value();
    };
  props.Publish(std::move(name), [&flag] { return PropValue::OfBool(flag); }, std::move(setter));
}

}  // namespace quillet::ui
