#pragma once
// The donation prompt's behaviour, apart from its window: the texts with the product put in,
// and the per-user choice of showing it at start.

#include <string>

#include "ui/widgets.h"

namespace quillet::dialogs {

// Designed texts; "%s" stands for the product name. "&&" shows as one "&".
extern const char kDonateCaption[];
extern const char kDonateFirstLine[];
extern const char kDonateAppeal[];
extern const char kDonateShowBox[];
extern const char kDonateHint[];

// The prompt's number as the value name: two digits below 10 ("03"), unchanged from 10 on.
std::string DialogNumber(int tag);
// Every "%s" (exactly, letter case included) replaced by the product.
std::string PutProduct(const std::string& text, const std::string& product);

// The four texts that carry the product name.
struct DonateTexts {
  std::string caption, first_line, appeal, show_box;
};
DonateTexts DesignedDonateTexts();

// On show: fills the texts in and ticks the box from the stored choice.
void DonateFormShow(int tag, const std::string& product, DonateTexts& texts, ui::ICheckBox& show_box);
// On close, however the prompt closes: stores the box's state. Nothing is stored for number 0.
void DonateFormClose(int tag, const ui::ICheckBox& show_box);

}  // namespace quillet::dialogs
