#pragma once
// The maker's texts and addresses, shared by the header, the about box and the donation prompt.

namespace quillet::dialogs {

extern const char kCreditLine[];
extern const char kLastUpdated[];
extern const char kHomePageAddress[];
extern const char kForumAddress[];
extern const char kPromptDonationAddress[];
extern const char kAboutDonationAddress[];

}  // namespace quillet::dialogs
