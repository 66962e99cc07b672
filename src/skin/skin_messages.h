// Window messages the skin engine sends and posts between windows. Their numbers are fixed: other
// programs' skinned windows and controls answer them too.
#pragma once

namespace quillet::skin {

// Sent before a window or control is skinned; an answer of 1 keeps it as it is. Skinned windows
// and controls answer 1 themselves.
constexpr unsigned SKINMSG_QUERYSKIP = 0x3523;
// Posted (wParam 0, lParam 1000) to a window right after its skin object was made.
constexpr unsigned SKINMSG_ATTACH = 0x3503;
// Sent (wParam 0, lParam 0x41A2) to a window when its skinning has finished.
constexpr unsigned SKINMSG_SKINNED = 0xBC4E;
constexpr long kSkinnedMagic = 0x41A2;
constexpr long kAttachMagic = 1000;

// Repaint a skinned window's frame.
constexpr unsigned SKINMSG_REPAINTFRAME = 0x3502;
// wParam > 0 switches a control skin's drawing on, 0 off.
constexpr unsigned SKINMSG_DRAWING = 0x3506;
// Sent to a form: a tab's close box was pressed (wParam the tab control, lParam the tab index);
// an answer of 0 frees the page.
constexpr unsigned SKINMSG_CLOSETAB = 0x3507;
// Posted to a window: a caption button with an action of its own was clicked (wParam the action).
constexpr unsigned SKINMSG_CAPTIONACTION = 0x3514;
// Sent to a window: is the caption button with this visibility (wParam) and action (lParam) shown?
constexpr unsigned SKINMSG_QUERYBUTTON = 0x3515;
// Posted to a skinned window: a child window (wParam) was made inside it after it was skinned.
constexpr unsigned SKINMSG_CHILDCREATED = 0x3519;
// With lParam 0x41A2: an edit paints itself into the device context in wParam.
constexpr unsigned SKINMSG_PAINTEDIT = 0xBC4A;
// With lParam 0x41A2: a scroll-bar skin draws its border into the device context in wParam.
constexpr unsigned SKINMSG_PAINTBORDER = 0xBC4B;

// The undocumented caption-redraw message some systems send.
constexpr unsigned WM_NCUAHDRAWCAPTION_ = 0xAE;

}  // namespace quillet::skin
