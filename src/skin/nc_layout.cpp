#include "skin/nc_layout.h"

#include <algorithm>
#include <optional>

#include "base/dpi.h"

namespace quillet::skin {

namespace {

int FrameCount(const TDataSkinObject& e) { return std::max(e.Frame, 1); }

bool DialogStyled(const FrameState& s) { return s.border == FrameBorder::Dialog; }

bool IsIconAction(int action) { return action == 3 || action == 11; }

}  // namespace

BorderSizes SkinBorders(const TSkinElements& e, FrameBorder border) {
  if (border == FrameBorder::NoCaption) return {};
  return {e.Left.Bitmap.Width() / FrameCount(e.Left), e.Top.Bitmap.Height() / FrameCount(e.Top),
          e.Right.Bitmap.Width() / FrameCount(e.Right), e.Bottom.Bitmap.Height() / FrameCount(e.Bottom)};
}

Rect ClientFromWindow(const Rect& w, const BorderSizes& b, int menuBar) {
  Rect c{w.left + b.left, w.top + b.top + menuBar, w.right - b.right, w.bottom - b.bottom};
  // A window smaller than its frame keeps an empty client area rather than a reversed one.
  c.right = std::max(c.right, c.left);
  c.bottom = std::max(c.bottom, c.top);
  return c;
}

void WindowSizeForClient(int clientW, int clientH, const BorderSizes& b, int menuBar, int& w, int& h) {
  w = clientW + b.left + b.right;
  h = clientH + b.top + b.bottom + menuBar;
}

namespace {
// The codes both visibility settings read alike; nullopt for the others.
std::optional<bool> SharedCode(int code, const FrameState& s) {
  const bool maximized = s.size == SizeState::Maximized;
  switch (code) {
    case 0: return true;
    case 1: return maximized;
    case 2: return !maximized;
    case 3: return s.active;
    case 4: return !s.active;
    case 7: return !s.maximizeBox;
    case 9: return !s.minimizeBox;
    default: return std::nullopt;
  }
}
}  // namespace

bool VisibilityShown(int code, const FrameState& s, bool answered3515) {
  if (const auto shared = SharedCode(code, s)) return *shared;
  switch (code) {
    case 6:
    case 8: return (s.minimizeBox || s.maximizeBox) && s.sysMenu;
    case 10: return s.help && !s.minimizeBox && !s.maximizeBox;
    case 100: return s.kind == FrameKind::MdiFrame && s.mdiChildMaximized && s.hasMenuBar;
    case 200: return DialogStyled(s) && !s.standardDialog;
    default: break;
  }
  if (code >= 201 && code <= 999) return true;
  if (code >= 1000 && code <= 2000) return answered3515;
  return false;
}

bool Visibility1Shown(int code, bool visibilityResult, const FrameState& s) {
  if (const auto shared = SharedCode(code, s)) return *shared;
  switch (code) {
    case 6:
    case 8: return s.minimizeBox || s.maximizeBox;
    case 10: return s.help;
    case 100: return visibilityResult;
    default: return false;
  }
}

int CaptionButtonFrame(int frames, ButtonState state, bool enabled, bool active, bool inMenuBar) {
  int f = 1;
  if (!enabled)
    f = frames > 3 ? 4 : 1;
  else if (!active && frames >= 4)
    f = 4;
  else if (state == ButtonState::Pressed)
    f = inMenuBar ? 4 : 3;
  else if (state == ButtonState::Hot)
    f = 2;
  return std::clamp(f, 1, std::max(frames, 1));
}

FrameLayout LayoutFrame(const TSkinElements& e, const FrameState& s, int width, int height, int menuBar,
                        const FrameMeasures& m) {
  FrameLayout l;
  l.width = width;
  l.height = height;
  l.borders = SkinBorders(e, s.border);
  l.menuBar = menuBar;
  l.dpi = e.Dpi;
  const int top = l.borders.top;
  const TDataSkinTitle& t = e.Title;

  // Which buttons show, and which of them act.
  l.buttons.resize(e.CaptionButtons.size());
  for (std::size_t i = 0; i < e.CaptionButtons.size(); ++i) {
    const TDataSkinSysButton& b = e.CaptionButtons[i];
    CaptionButtonPlace& p = l.buttons[i];
    p.index = static_cast<int>(i);
    p.icon = IsIconAction(b.Action);
    p.inMenuBar = b.Align == 100;
    const bool asked = b.Visibility >= 1000 && b.Visibility <= 2000 && m.askShown &&
                       m.askShown(m.askContext, b.Visibility, b.Action);
    const bool v = VisibilityShown(b.Visibility, s, asked);
    p.visible = v && Visibility1Shown(b.Visibility1, v, s);
    if (s.border == FrameBorder::NoCaption) p.visible = false;
    if (b.Action == 0 && !s.sysMenu) p.visible = false;
    if ((b.Action == 3 || b.Action == 11 || b.Action == 12) && DialogStyled(s)) p.visible = false;
    if (b.Action == 1 || b.Action == 22) p.enabled = s.maximizeBox && s.sysMenu;
    if (b.Action == 2 || b.Action == 23) p.enabled = s.minimizeBox && s.sysMenu;
  }

  auto size_of = [&](const TDataSkinSysButton& b, int& w, int& h) {
    if (IsIconAction(b.Action) && b.Bitmap.Empty()) {
      w = m.smallIconW;
      h = m.smallIconH;
      return;
    }
    w = b.Bitmap.Width() / FrameCount(b);
    h = b.Bitmap.Height();
  };

  // Buttons anchored to the right edge first: the text stops short of them.
  for (std::size_t i = 0; i < e.CaptionButtons.size(); ++i) {
    const TDataSkinSysButton& b = e.CaptionButtons[i];
    CaptionButtonPlace& p = l.buttons[i];
    int w, h;
    size_of(b, w, h);
    if (b.Align == 1) {
      p.rect = {width - b.Xcoord, b.Ycoord, width - b.Xcoord + w, b.Ycoord + h};
      if (p.visible) l.largestRightOffset = std::max(l.largestRightOffset, b.Xcoord);
    } else if (b.Align == 100) {
      const int x = width - b.Xcoord - l.borders.right - e.MenuBar.LeftWidth;
      const int y = top + (menuBar - h) / 2;
      p.rect = {x, y, x + w, y + h};
      if (menuBar <= 0) p.visible = false;
    } else if (b.Align != 2 && b.Align != 8 && b.Align != 3 && b.Align != 9) {
      p.rect = {b.Xcoord, b.Ycoord, b.Xcoord + w, b.Ycoord + h};
    }
  }

  // The caption text.
  const int a = t.TXTBackleft + t.TXTBackRight + m.textWidth;
  int x = 0;
  if (!s.rtl) {
    switch (t.TextAlignment) {
      case 1: x = (width - a) / 2; break;
      case 2: x = width - t.TextRightClip - a; break;
      default:
        x = t.TextShift;
        if (DialogStyled(s)) x -= base::ScaleToDpi(16, e.Dpi);  // no icon to make room for
        break;
    }
  } else {
    switch (t.TextAlignment) {
      case 1: x = (width - l.largestRightOffset - a) / 2; break;
      case 2: x = t.TextShift; break;
      default: x = width - l.largestRightOffset - a; break;
    }
    if (x < 1) x = t.TextShift;
  }
  const int y = (top - m.textHeight) / 2 + t.TextShiftVert / 2;
  int right = x + a;
  if (s.rtl) {
    x += base::ScaleToDpi(10, e.Dpi);
    right += base::ScaleToDpi(10, e.Dpi);
  } else {
    int limit = width - t.TextRightClip;
    const int gap = base::ScaleToDpi(5, e.Dpi);
    if (s.popup && l.largestRightOffset > gap) limit = width - l.largestRightOffset - gap;
    right = std::min(right, limit);
  }
  l.text.back = {x, 0, std::max(right, x), top};
  l.text.rect = {x + t.TXTBackleft, y, std::max(right - t.TXTBackRight, x + t.TXTBackleft), y + m.textHeight};
  l.text.rtlReading = s.rtl;

  // Buttons that follow the text.
  for (std::size_t i = 0; i < e.CaptionButtons.size(); ++i) {
    const TDataSkinSysButton& b = e.CaptionButtons[i];
    CaptionButtonPlace& p = l.buttons[i];
    int w, h;
    size_of(b, w, h);
    if (b.Align == 2 || b.Align == 8) {
      const int bx = l.text.back.left - w - b.Xcoord;
      p.rect = {bx, b.Ycoord, bx + w, b.Ycoord + h};
    } else if (b.Align == 3 || b.Align == 9) {
      const int bx = l.text.back.right + b.Xcoord;
      p.rect = {bx, b.Ycoord, bx + w, b.Ycoord + h};
    }
    if (p.rect.Width() <= 0 || p.rect.Height() <= 0) p.visible = false;
  }
  return l;
}

int ButtonAt(const FrameLayout& l, int x, int y) {
  // Later buttons are drawn over earlier ones, so they win.
  for (int i = static_cast<int>(l.buttons.size()) - 1; i >= 0; --i) {
    const CaptionButtonPlace& p = l.buttons[static_cast<std::size_t>(i)];
    if (p.visible && x >= p.rect.left && x < p.rect.right && y >= p.rect.top && y < p.rect.bottom) return i;
  }
  return -1;
}

int FrameHitTest(const FrameLayout& l, int defaultAnswer, int /*x*/, int y) {
  if (defaultAnswer != kHtNowhere && defaultAnswer != kHtCaption) return defaultAnswer;
  if (l.menuBar > 0 && y >= l.borders.top && y < l.borders.top + l.menuBar) return kHtMenu;
  if (y > base::ScaleToDpi(3, l.dpi)) return kHtCaption;
  return defaultAnswer;
}

int DialogWidthForCaption(const TSkinElements& e, int textWidth, int currentWidth) {
  const int needed = e.Title.TextShift + textWidth + e.Title.TextRightClip;
  return needed > currentWidth ? needed : 0;
}

std::string CaptionButtonHint(int action) {
  switch (action) {
    case 0: case 9: case 62: return "Close";
    case 1: case 22: return "Maximize";
    case 2: case 7: case 23: case 60: return "Minimize";
    case 8: case 61: return "Restore";
    default: return {};
  }
}

CaptionAction ActionOf(int action) {
  switch (action) {
    case 0: return CaptionAction::Close;
    case 1: case 22: return CaptionAction::MaximizeOrRestore;
    case 2: case 23: return CaptionAction::MinimizeOrRestore;
    case 3: case 11: case 12: return CaptionAction::SystemMenu;
    case 4: return CaptionAction::ContextHelp;
    case 7: case 60: return CaptionAction::MdiMinimize;
    case 8: case 61: return CaptionAction::MdiRestore;
    case 9: case 62: return CaptionAction::MdiClose;
    default: return CaptionAction::Custom;
  }
}

}  // namespace quillet::skin
