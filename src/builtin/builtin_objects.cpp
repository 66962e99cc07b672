#include "builtin/builtin_objects.h"

namespace quillet::builtin {

const std::array<BuiltInObject, kBuiltInObjectCount> BuiltInObjectTable = {{
    {"Add Network Place", "{D4480A50-BA28-11d1-8E75-00C04FA31A86}"},
    {"Administrative Tools", "{D20EA4E1-3957-11d2-A40B-0C5020524153}"},
    {"Control Panel", "{21EC2020-3AEA-1069-A2DD-08002B30309D}"},
    {"Dial Up Networking", "{992CFFA0-F557-101A-88EC-00DD010CCC48}"},
    {"Folder Options", "{6DFD7C5C-2451-11d3-A299-00C04F8EF6AF}"},
    {"Fonts", "{D20EA4E1-3957-11d2-A40B-0C5020524152}"},
    {"Help", "{2559a1f1-21d7-11d4-bdaf-00c04f60b9f0}"},
    {"Microsoft Outlook", "{00020D75-0000-0000-C000-000000000046}"},
    {"Network Connection", "{7007ACC7-3202-11D1-AAD2-00805FC1270E}"},
    {"Network Setup Wizard", "{2728520d-1ec8-4c68-a551-316b684c4ea7}"},
    {"Printers and Faxes", "{2227A280-3AEA-1069-A2DE-08002B30309D}"},
    {"Programs Folder", "{7be9d83c-a729-4d97-b5a7-1b7313c39e0a}"},
    {"Recycle Bin", "{645FF040-5081-101B-9F08-00AA002F954E}"},
    {"Run", "{2559a1f3-21d7-11d4-bdaf-00c04f60b9f0}"},
    {"Scanners and Cameras", "{E211B736-43FD-11D1-9EFB-0000F8757FCD}"},
    {"Scheduled Tasks", "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}"},
    {"Search", "{2559a1f0-21d7-11d4-bdaf-00c04f60b9f0}"},
    {"Set Program Access and Defaults", "{2559a1f7-21d7-11d4-bdaf-00c04f60b9f0}"},
    {"Start Menu Folder", "{48e7caab-b918-4e58-a94d-505519c795dc}"},
    {"Taskbar and Start Menu", "{0DF44EAA-FF21-4412-828E-260A8728E7F1}"},
    {"User Accounts", "{7A9D77BD-5403-11d2-8785-2E0420524153}"},
    {"Wireless Setup Wizard", "{3c5c43a3-9ce9-4a9b-9699-2ac0cf6cc4bf}"},
}};

}  // namespace quillet::builtin
