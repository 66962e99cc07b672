// The skinned window frame as geometry and decisions: border sizes, the client rectangle, where
// the caption text and the caption buttons go, which buttons show and in which frame, and what a
// point of the frame is. The window layer gathers the window's styles and state into a
// FrameState, asks for a FrameLayout once per size or state change, and both painting and hit
// testing read that same layout.
#pragma once

#include <string>
#include <vector>

#include "skin/bitmap.h"
#include "skin/elements.h"

namespace quillet::skin {

enum class FrameBorder { Sizeable = 0, Single = 1, NoCaption = 2, Dialog = 3 };
enum class FrameKind { Plain = 0, MdiFrame = 1, MdiChild = 2 };
enum class SizeState { Normal = 0, Maximized = 1, Minimized = 2 };

// The window's styles and state as the frame needs them.
struct FrameState {
  FrameBorder border = FrameBorder::Single;
  FrameKind kind = FrameKind::Plain;
  bool standardDialog = false;  // "#32770" or a message form
  bool maximizeBox = false, minimizeBox = false, help = false, sysMenu = false;
  bool rtl = false;    // WS_EX_LEFTSCROLLBAR
  bool popup = false;  // WS_POPUP
  SizeState size = SizeState::Normal;
  bool active = false;
  bool mdiChildMaximized = false;  // an MDI frame whose active child is maximised
  bool hasMenuBar = false;         // a skinned menu bar
  bool hasSystemMenuClose = true;  // the native system menu has an SC_CLOSE item
};

struct BorderSizes {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const BorderSizes&) const = default;
};

// Each border's picture width (height) divided by its frame count; all zero without a caption.
BorderSizes SkinBorders(const TSkinElements& e, FrameBorder border);

// The client rectangle of a proposed window rectangle (left, top, right, bottom).
Rect ClientFromWindow(const Rect& window, const BorderSizes& b, int menuBar);
// The window size that holds a client area of the given size.
void WindowSizeForClient(int clientW, int clientH, const BorderSizes& b, int menuBar, int& w, int& h);

// Visibility codes of caption buttons.
bool VisibilityShown(int code, const FrameState& s, bool answered3515);
bool Visibility1Shown(int code, bool visibilityResult, const FrameState& s);

// Caption-button states as drawn: 1 normal, 2 hot, 3 pressed.
enum class ButtonState { Normal = 1, Hot = 2, Pressed = 3 };
// The frame a caption button shows (1-based).
int CaptionButtonFrame(int frames, ButtonState state, bool enabled, bool active, bool inMenuBar);

struct CaptionButtonPlace {
  int index = -1;  // into TSkinElements::CaptionButtons
  Rect rect;       // window coordinates
  bool visible = false;
  bool enabled = true;
  bool icon = false;      // Action 3 or 11: the window's small icon
  bool inMenuBar = false; // Align 100
};

struct CaptionText {
  Rect rect;        // where the text goes, narrowed by the text-back margins
  Rect back;        // the text-back picture's rectangle (full bar height)
  bool rtlReading = false;
};

// Everything painting and hit testing need, for one size and state.
struct FrameLayout {
  int width = 0, height = 0;
  BorderSizes borders;
  int menuBar = 0;  // menu-bar height
  int dpi = 96;     // the elements' DPI
  CaptionText text;
  int largestRightOffset = 0;
  std::vector<CaptionButtonPlace> buttons;
};

// What the window layer measures for the layout: the caption text's size in the caption font,
// the small icon's size, and how the window answers the caption-button question (0x3515).
struct FrameMeasures {
  int textWidth = 0, textHeight = 0;
  int smallIconW = 16, smallIconH = 16;
  // Asked for buttons whose Visibility is 1000..2000; nullptr answers no.
  bool (*askShown)(void* ctx, int visibility, int action) = nullptr;
  void* askContext = nullptr;
};

FrameLayout LayoutFrame(const TSkinElements& e, const FrameState& s, int width, int height, int menuBar,
                        const FrameMeasures& m);

// The caption button (index into layout.buttons) under a point in window coordinates, or -1.
int ButtonAt(const FrameLayout& l, int x, int y);

// Answers for WM_NCHITTEST, in the system's numbering.
constexpr int kHtNowhere = 0, kHtClient = 1, kHtCaption = 2, kHtMenu = 5;
// `defaultAnswer` is what the previous procedure said; `x`, `y` in window coordinates.
int FrameHitTest(const FrameLayout& l, int defaultAnswer, int x, int y);

// The standard dialog's width that holds its caption text (0 when the width already does).
int DialogWidthForCaption(const TSkinElements& e, int textWidth, int currentWidth);

// The hint shown over a caption button of this Action; empty for none.
std::string CaptionButtonHint(int action);

// What a caption button's click does.
enum class CaptionAction {
  None, Close, MaximizeOrRestore, MinimizeOrRestore, SystemMenu, ContextHelp, MdiMinimize, MdiRestore,
  MdiClose, Custom
};
CaptionAction ActionOf(int action);

}  // namespace quillet::skin
