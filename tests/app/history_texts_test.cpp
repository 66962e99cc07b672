// The history's menu texts and keys, as the main window shows and takes them.
#include <gtest/gtest.h>

#include "app/history_texts.h"

namespace quillet::app {
namespace {

TEST(HistoryTexts, ItemsNameTheChangeAndShowTheirKeys) {
  EXPECT_EQ(UndoItemText(""), "&Undo\tCtrl+Z");
  EXPECT_EQ(RedoItemText(""), "R&edo\tCtrl+Y");
  EXPECT_EQ(UndoItemText("Add Verb &Open"), "&Undo Add Verb &&Open\tCtrl+Z");
  EXPECT_EQ(RedoItemText("Hide {X}\tY"), "R&edo Hide {X} Y\tCtrl+Y");
  const std::string long_title = "Create / Save " + std::string(100, 'x');
  EXPECT_EQ(UndoItemText(long_title), "&Undo Create / Save " + std::string(43, 'x') + "...\tCtrl+Z");
}

TEST(HistoryTexts, CtrlZUndoesAndCtrlYOrCtrlShiftZRedoOutsideTextFields) {
  const struct {
    unsigned key;
    bool ctrl, shift, alt, text;
    HistoryKey want;
  } cases[] = {
      {'Z', true, false, false, false, HistoryKey::Undo},
      {'Z', true, true, false, false, HistoryKey::Redo},
      {'Y', true, false, false, false, HistoryKey::Redo},
      {'Z', true, false, false, true, HistoryKey::None},   // the field's own undo
      {'Y', true, false, false, true, HistoryKey::None},
      {'Z', false, false, false, false, HistoryKey::None},  // typing a Z
      {'Z', true, false, true, false, HistoryKey::None},    // Ctrl+Alt is AltGr on many keyboards
      {'Y', true, true, false, false, HistoryKey::None},
      {'X', true, false, false, false, HistoryKey::None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HistoryKeyOf(c.key, c.ctrl, c.shift, c.alt, c.text), c.want)
        << static_cast<char>(c.key) << c.ctrl << c.shift << c.alt << c.text;
}

}  // namespace
}  // namespace quillet::app
