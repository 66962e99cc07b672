#include "skin/art/skin_ini.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "base/dpi.h"

namespace quillet::skin::art {

namespace {

const char* kIni = R"(; Quillet's skin: soft greys and one accent.
[TitlebarSkin]
SkinName=Quillet

[Personality]
Left=left.bmp
LeftFrame=2
LeftStretch=1
LeftTrans=
LeftTopHeight=24
LeftBotHeight=1
Right=right.bmp
RightFrame=2
RightStretch=1
RightTrans=
RightTopHeight=24
RightBotHeight=1
Top=top.bmp
TopFrame=2
TopStretch=1
TopTrans=
TopTopHeight=15
TopBotHeight=5
Bottom=bottom.bmp
BottomFrame=2
BottomStretch=1
BottomTrans=
BottomTopHeight=0
BottomBotHeight=0
TextShift=30
TextShiftVert=-4
TextRightClip=72
TextAlignment=0
menuBar=menubar.bmp
TileMenu=1
TileLeftMenu=9
TileRightMenu=9

[Colours]
ButtonFace=235 233 235
TitleTextActive=40 40 40
TitleTextNoActive=228 228 230
ButtonHilight=255 255 255
ButtonShadow=167 166 168
ButtonDkShadow=135 135 137
Buttonlight=222 223 224
Menubar=178 178 178
Menu=210 210 210
MenuText=0 0 0
MenuBarText=0 0 0
Hilight=171 171 171
HilightText=0 0 0

[BUTTON0]
; close
Action=0
Align=1
Xcoord=24
Ycoord=3
Visibility=0
frame=
ButtonImage=close.bmp

[BUTTON1]
; maximise
Action=1
Align=1
Xcoord=44
Ycoord=3
Visibility=2
Visibility1=6
frame=
ButtonImage=maximize.bmp

[BUTTON2]
; restore
Action=1
Align=1
Xcoord=44
Ycoord=3
Visibility=1
Visibility1=6
frame=
ButtonImage=restore.bmp

[BUTTON3]
; minimise
Action=2
Align=1
Xcoord=64
Ycoord=3
Visibility=8
frame=
ButtonImage=minimize.bmp

[Button17]
; the window's icon, clear of the caption text
Action=3
Align=0
Xcoord=9
Ycoord=4
Visibility=0
frame=

[Buttons]
Bitmap=buttons.bmp
CheckButton=checkbox.bmp
RadioButton=radio.bmp
TopHeight=9
BottomHeight=9
LeftWidth=8
RightWidth=8
Trans=1
CheckButtonFrame=12
RadioButtonFrame=8

[Progress]
Bitmap=progress.bmp
TopHeight=3
BottomHeight=3
LeftWidth=4
RightWidth=4
Trans=0
Tile=1
Style=1

[Progress.Chunk]
Image=progresschunk.bmp

[Tabs]
Image=tabs.bmp
Border=tabborder.bmp
TopHeight=6
BottomHeight=6
LeftWidth=6
RightWidth=6
Trans=0
Tile=0
Style=1

[Tab.Pane]
Image=tabpane.bmp
TopHeight=2
BottomHeight=4
LeftWidth=2
RightWidth=4
Style=1

[ComboButton]
Image=combobutton.bmp
Trans=0
Style=1

[StatusBarEdges]
Image=statusbar.bmp
TopHeight=5
BottomHeight=9
LeftWidth=50
RightWidth=17
Tile=1

[Headerbar]
Image=header.bmp
TopHeight=3
BottomHeight=4
LeftWidth=8
RightWidth=8
Tile=1
Trans=1
Frame=4

[HorzScrollThumb]
Image=hthumb.bmp
TopHeight=5
BottomHeight=5
LeftWidth=5
RightWidth=5
FrameCount=4

[VertScrollThumb]
Image=vthumb.bmp
TopHeight=5
BottomHeight=5
LeftWidth=5
RightWidth=5
FrameCount=4

[HorzScroll]
Image=hscroll.bmp
TopHeight=1
BottomHeight=1
LeftWidth=0
RightWidth=0

[VertScroll]
Image=vscroll.bmp
TopHeight=0
BottomHeight=0
LeftWidth=1
RightWidth=1

[MenuItem]
Image=menuitem.bmp
TopHeight=6
BottomHeight=6
LeftWidth=18
RightWidth=7
Trans=1
Tile=0

[MenuBackground]
Image=menubg.bmp
TopHeight=11
BottomHeight=10
LeftWidth=15
RightWidth=3

[Scrollbar]
Image=scrollbar.bmp

[ExtraImages]
Image=extraimages.bmp

[Trackbar.ThumbHorz]
Image=trackthumbh.bmp

[Trackbar.ThumbDown]
Image=trackthumbd.bmp

[Trackbar.ThumbUp]
Image=trackthumbu.bmp

[Trackbar.ThumbVert]
Image=trackthumbv.bmp

[Trackbar.ThumbRight]
Image=trackthumbr.bmp

[Trackbar.ThumbLeft]
Image=trackthumbl.bmp

[ToolBars]
Image=toolbars.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1

[Track]
Image=track.bmp
LeftWidth=2
RightWidth=2
TopHeight=1
BottomHeight=1

[TRACKVERT]
Image=trackvert.bmp
LeftWidth=1
RightWidth=1
TopHeight=2
BottomHeight=2

[MDICONTROLS]
Image=mdicontrols.bmp

[UpDown.Vert]
Image=updownv.bmp
GlyphImage=updownvglyph.bmp

[UpDown.Horz]
Image=updownh.bmp
GlyphImage=updownhglyph.bmp
)";

// Keys whose values are lengths in pixels.
bool IsLengthKey(std::string_view key) {
  if (key.ends_with("Height") || key.ends_with("Width")) return true;
  for (std::string_view k : {"Xcoord", "Ycoord", "TextShift", "TextShiftVert", "TextRightClip", "TileLeftMenu",
                             "TileRightMenu"})
    if (key == k) return true;
  return false;
}

}  // namespace

std::string QuilletSkinIni(int dpi) {
  std::string out;
  std::string_view text = kIni;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::size_t eq = line.find('=');
    if (eq != std::string_view::npos && eq + 1 < line.size() && IsLengthKey(line.substr(0, eq))) {
      out.append(line.substr(0, eq + 1));
      out += std::to_string(base::ScaleToDpi(std::stoi(std::string(line.substr(eq + 1))), dpi));
    } else {
      out.append(line);
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace quillet::skin::art
