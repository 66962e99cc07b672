#pragma once
// Published properties, read and set by name. The skin engine asks controls for "Caption",
// "Default", "Font", "Color", "State", ... without knowing their classes, so every control lists
// what it publishes in one table. Names compare without regard to letter case.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::ui {

enum class PropKind { Text, Integer, Boolean, Enumeration, Handle };

struct PropValue {
  PropKind kind = PropKind::Text;
  std::string text;         // Text and Enumeration ("bsNone", "cbChecked", ...)
  std::int64_t number = 0;  // Integer, Boolean (0 / 1) and Handle

  // The property as text: booleans read "True" / "False", numbers in decimal.
  std::string AsText() const;
  static PropValue OfText(std::string t) { return {PropKind::Text, std::move(t), 0}; }
  static PropValue OfEnum(std::string t) { return {PropKind::Enumeration, std::move(t), 0}; }
  static PropValue OfInt(std::int64_t n) { return {PropKind::Integer, {}, n}; }
  static PropValue OfBool(bool b) { return {PropKind::Boolean, {}, b ? 1 : 0}; }
  static PropValue OfHandle(std::int64_t h) { return {PropKind::Handle, {}, h}; }
};

class PropertyTable {
 public:
  using Getter = std::function<PropValue()>;
  // Takes the text form; false when the text does not fit the property.
  using Setter = std::function<bool(const std::string&)>;

  // A later entry of the same name replaces an earlier one, so a subclass can refine a property.
  void Publish(std::string name, Getter get, Setter set = nullptr);
  bool Has(std::string_view name) const;
  std::optional<PropValue> Get(std::string_view name) const;
  // False when there is no such property, it is read-only, or the text does not fit.
  bool Set(std::string_view name, const std::string& text) const;
  std::vector<std::string> Names() const;

 private:
  struct Entry {
    std::string name;
    Getter get;
    Setter set;
  };
  const Entry* Find(std::string_view name) const;
  std::vector<Entry> entries_;
};

// Helpers for setters: "True"/"False" and decimal integers, as the text forms above.
std::optional<bool> ParseBool(const std::string& text);
std::optional<std::int64_t> ParseInt(const std::string& text);

// A boolean property that reads `flag`, and takes "True" / "False" through `set` when there is one.
void PublishFlag(PropertyTable& props, std::string name, const bool& flag, std::function<void(bool)> set = nullptr);

}  // namespace quillet::ui
