#include "app/history_texts.h"

#include "registry/history_record.h"

namespace quillet::app {

namespace {

constexpr std::size_t kShownTitle = 60;

std::string ItemText(const char* verb, const std::string& title, const char* keys) {
  std::string text = verb;
  if (!title.empty()) {
    std::string shown = OneLine(title);
    if (shown.size() > kShownTitle) shown = shown.substr(0, kShownTitle - 3) + "...";
    text += ' ';
    for (char c : shown) {
      if (c == '&') text += '&';  // shown, not taken as the item's access key
      text += c;
    }
  }
  return text + "\t" + keys;
}

}  // namespace

std::string UndoItemText(const std::string& title) { return ItemText("&Undo", title, "Ctrl+Z"); }

std::string RedoItemText(const std::string& title) { return ItemText("R&edo", title, "Ctrl+Y"); }

HistoryKey HistoryKeyOf(unsigned virtual_key, bool ctrl, bool shift, bool alt, bool in_text_field) {
  if (!ctrl || alt || in_text_field) return HistoryKey::None;
  if (virtual_key == 'Z') return shift ? HistoryKey::Redo : HistoryKey::Undo;
  if (virtual_key == 'Y' && !shift) return HistoryKey::Redo;
  return HistoryKey::None;
}

}  // namespace quillet::app
