#include "dialogs/maker.h"

namespace quillet::dialogs {

const char kCreditLine[] = "Copyright (c) 2011 Dorvane, Brask Software";
const char kLastUpdated[] = "Last Updated : December 2011";
const char kHomePageAddress[] = "https://www.dorvane.net/quillet/";
const char kForumAddress[] = "https://forum.dorvane.net/quillet/";
const char kPromptDonationAddress[] = "https://www.dorvane.net/quillet/donate/?from=prompt";
const char kAboutDonationAddress[] = "https://www.dorvane.net/quillet/donate/?from=about";

}  // namespace quillet::dialogs
